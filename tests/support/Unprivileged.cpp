#include "Unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

bool run_unprivileged(const std::function<bool()>& check) {
    pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
