#include "cli/exit_status.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/runs.h"
#include "header/messages.h"

#include <new>

int main(int argc, char** argv) {
    // Memory the standard containers cannot get ends the run with the buffer error's status and
    // message, as every other shortage does, rather than with an abort and a core file; nothing
    // has been written then, since every file is replaced only once its whole text is made.
    try {
        CliOptions options;
        const int status = CliParseOptions(argc, argv, options);
        if (status != OPTIONS_RUN) {
            return status;
        }
        return options.m_eMode == CliMode::Check ? RunCheck(options) : RunHeader(options);
    } catch (const std::bad_alloc&) { // GCOVR_EXCL_LINE: only a real shortage of memory
        return CliFail(EXIT_BUFFER, "%s", MSG_NO_MEMORY); // GCOVR_EXCL_LINE
    }
}
