// Runs a check in a child process without root's privileges, so that permission checks that
// root would pass can be tested as any user meets them. The function's return value becomes the
// child's exit status (0 = true).
#pragma once

#include <functional>

// True when the function returned true in the child. Under root the child first drops to the
// "nobody" user; otherwise it runs as it is.
bool run_unprivileged(const std::function<bool()>& check);
