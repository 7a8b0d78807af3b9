#include "cli/options.h"
#include "cli/runs.h"

int main(int argc, char** argv) {
    CliOptions options;
    const int status = CliParseOptions(argc, argv, options);
    if (status != OPTIONS_RUN) {
        return status;
    }
    return options.m_eMode == CliMode::Check ? RunCheck(options) : RunHeader(options);
}
