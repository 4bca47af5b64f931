// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_runner.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace pw::cli::testing {

namespace {

// Builds argv and the environment in the parent, so the child only calls
// async-signal-safe functions.
struct ChildSetup {
    std::vector<std::string> argStore;
    std::vector<char*> argv;
    std::vector<std::string> envStore;
    std::vector<char*> envp;

    ChildSetup(const std::vector<std::string>& args, const std::vector<std::string>& env) {
        argStore.push_back(PW_CLI_PATH);
        argStore.insert(argStore.end(), args.begin(), args.end());
        for (std::string& a : argStore)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (char** e = environ; *e; ++e)
            if (!std::string_view(*e).starts_with("NO_COLOR=")) envStore.push_back(*e);
        envStore.insert(envStore.end(), env.begin(), env.end());
        for (std::string& e : envStore)
            envp.push_back(e.data());
        envp.push_back(nullptr);
    }
};

// Starts the program in `cwd`, its input /dev/null, its output and errors into `outFd`
// and `errFd` (thrown away when -1).
pid_t spawn(const ChildSetup& setup, const fs::path& cwd, int outFd = -1, int errFd = -1) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int devNull = open("/dev/null", O_RDWR);
        if (chdir(cwd.c_str()) != 0 || devNull < 0) _exit(120);
        dup2(devNull, STDIN_FILENO);
        dup2(outFd < 0 ? devNull : outFd, STDOUT_FILENO);
        dup2(errFd < 0 ? devNull : errFd, STDERR_FILENO);
        execve(setup.argv[0], setup.argv.data(), setup.envp.data());
        _exit(121);
    }
    return pid;
}

int statusOf(int wstatus) {
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
}

}  // namespace

std::string firstFields(const std::string& csv) {
    std::istringstream lines(csv);
    std::string out, line;
    std::getline(lines, line);  // the header
    while (std::getline(lines, line))
        out += line.substr(0, line.find(',')) + "\n";
    return out;
}

void writeFile(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

fs::path sampleFile(const std::string& name) {
    return fs::path(PW_TEST_DATA_DIR) / name;
}
fs::path cliDataFile(const std::string& name) {
    return fs::path(PW_CLI_DATA_DIR) / name;
}
fs::path goldenFile(const std::string& name) {
    return fs::path(PW_CLI_GOLDEN_DIR) / name;
}

RunResult runCli(const std::vector<std::string>& args, const fs::path& cwd,
                 const std::vector<std::string>& env) {
    ChildSetup setup(args, env);
    char outName[] = "/tmp/pw_cli_out_XXXXXX";
    char errName[] = "/tmp/pw_cli_err_XXXXXX";
    const int outFd = mkstemp(outName);
    const int errFd = mkstemp(errName);
    RunResult result;
    if (outFd < 0 || errFd < 0) {
        ADD_FAILURE() << "cannot create capture files";
        return result;
    }
    const pid_t pid = spawn(setup, cwd, outFd, errFd);
    int wstatus = 0;
    if (pid > 0) waitpid(pid, &wstatus, 0);
    close(outFd);
    close(errFd);
    result.status = pid > 0 ? statusOf(wstatus) : -1;
    result.out = readFile(outName);
    result.err = readFile(errName);
    unlink(outName);
    unlink(errName);
    return result;
}

int startCli(const std::vector<std::string>& args, const fs::path& cwd) {
    return spawn(ChildSetup(args, {}), cwd);
}

RunResult runCliOnTerminal(const std::vector<std::string>& args, const fs::path& cwd,
                           const std::vector<std::string>& env) {
    ChildSetup setup(args, env);
    RunResult result;
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0) _exit(120);
        execve(setup.argv[0], setup.argv.data(), setup.envp.data());
        _exit(121);
    }
    if (pid < 0) {
        ADD_FAILURE() << "forkpty failed";
        return result;
    }
    char buf[4096];
    for (;;) {
        const ssize_t n = read(master, buf, sizeof buf);
        if (n > 0) {
            result.out.append(buf, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;  // EOF, or EIO once the child has closed the terminal
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    close(master);
    result.status = statusOf(wstatus);
    return result;
}

void CliTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "pw_cli_test_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    // The collection of marks lives in the scratch folder, never in the user's home.
    ::setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
}

void CliTest::TearDown() {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
}

fs::path CliTest::copyIn(const fs::path& file) {
    fs::copy_file(file, dir_ / file.filename(), fs::copy_options::overwrite_existing);
    return dir_ / file.filename();
}

}  // namespace pw::cli::testing
