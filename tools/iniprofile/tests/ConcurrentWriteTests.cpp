// Two iniprofile processes writing different keys of one file at the same time.
#include "IniprofileProcess.h"
#include "TempPrefix.h"
#include "host/kernel32.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace {

constexpr int kWritesPerProcess = 100;

// A process that runs iniprofile once per key, one after the other; its exit status is the
// number of runs that failed.
pid_t start_writer(char letter) {
    pid_t writer = fork();
    if (writer == 0) {
        int failed = 0;
        for (int i = 1; i <= kWritesPerProcess; ++i)
            if (run_iniprofile({"set", "C:\\HAMMER.INI", "keys", letter + std::to_string(i), std::to_string(i)}) != 0)
                ++failed;
        _exit(failed);
    }
    return writer;
}

TEST(IniprofileConcurrency, two_processes_writing_different_keys_lose_no_update) {
    TempPrefix prefix;
    prefix.write("C:\\HAMMER.INI", "[keys]\r\n");
    pid_t a = start_writer('a');
    pid_t b = start_writer('b');
    EXPECT_EQ(wait_for(a), 0);
    EXPECT_EQ(wait_for(b), 0);
    int lost = 0;
    for (char letter : {'a', 'b'})
        for (int i = 1; i <= kWritesPerProcess; ++i) {
            char value[16];
            std::string key = letter + std::to_string(i);
            GetPrivateProfileStringA("keys", key.c_str(), "lost", value, sizeof value, "C:\\HAMMER.INI");
            if (value != std::to_string(i))
                ++lost;
        }
    EXPECT_EQ(lost, 0) << "of " << 2 * kWritesPerProcess << " updates";
}

} // namespace
