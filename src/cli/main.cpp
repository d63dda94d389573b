// wordgleaner-cli: runs one recovery from a terminal or a script.

#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/cli_options.h"
#include "cli/interrupt.h"
#include "cli/job_runner.h"
#include "cli/progress_view.h"
#include "cli/terminal.h"
#include "job/recovery_job.h"

using namespace wordgleaner;

namespace {

std::unique_ptr<ProgressView> MakeProgressView() {
    if (IsInteractiveTerminal(stdout)) {
        return std::make_unique<TerminalProgressView>(std::cout, TerminalColumns(stdout));
    }
    return std::make_unique<LineProgressView>(std::cout);
}

}  // namespace

int main(int argc, char** argv) {
    IgnoreWriteSignals();
    CliParseResult parsed = ParseCommandLine(argc, argv, std::cout, std::cerr);
    if (!parsed.request) {
        return parsed.exitCode;
    }
    std::unique_ptr<ProgressView> view = MakeProgressView();
    InstallInterruptHandler();
    RecoveryJob job;
    return RunRecovery(job, *parsed.request, {*view, std::cout, std::cerr, InterruptReceived});
}
