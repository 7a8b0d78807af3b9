#include "settings_crash_sets.h"

#include <cstdio>

// Writes the settings file named by its argument over and over, alternating between the two
// sets, until it is killed; exits 1 as soon as a write fails. One byte on the standard output
// says that the loop begins, so that the killer's timing does not depend on how long the
// program takes to start.
int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    CSettingsFile settings(argv[1]);
    std::fputc('.', stdout);
    std::fflush(stdout);
    for (int nSet = 0;; nSet = 1 - nSet) {
        if (!settings.WriteValues("App", CrashSet(nSet))) {
            return 1;
        }
    }
}
