#include "wine_children.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern char** environ;

WineChild startWineProgram(const std::string& folder, const char* program,
                           const std::vector<std::string>& arguments, bool withInput) {
    WineChild child = {-1, -1};
    const std::string path = folder + "/" + program;
    // The loader that Wine itself starts its processes with, when one is
    // named: on machines that run no 32-bit programs, the 64-bit one.
    const char* named = std::getenv("WINELOADER");
    const char* loader = named && *named ? named : "wine";
    std::vector<char*> argv = {const_cast<char*>(loader), const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int pipeFds[2] = {-1, -1};
    // Both ends close on exec: the child gets the read end as its input
    // only, so that it sees the end of input when the companion ends.
    if (withInput && pipe2(pipeFds, O_CLOEXEC) == 0)
        posix_spawn_file_actions_adddup2(&actions, pipeFds[0], STDIN_FILENO);

    const int failure =
        posix_spawnp(&child.pid, loader, &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (pipeFds[0] >= 0) close(pipeFds[0]);
    if (failure != 0) {
        std::fprintf(stderr, "grabnik-companion: cannot start %s %s: %s\n", loader, path.c_str(),
                     std::strerror(failure));
        if (pipeFds[1] >= 0) close(pipeFds[1]);
        child.pid = -1;
        return child;
    }
    child.inputFd = pipeFds[1];
    return child;
}

bool reapWineProgram(WineChild& child, bool wait, int& exitStatus) {
    if (child.pid < 0) return false;
    // Before a wait: the bridge ends only once its input has ended.
    if (wait && child.inputFd >= 0) close(child.inputFd);
    if (wait) child.inputFd = -1;
    int status = 0;
    pid_t ended;
    while ((ended = waitpid(child.pid, &status, wait ? 0 : WNOHANG)) < 0 && errno == EINTR) {
    }
    if (ended != child.pid) return false;
    if (child.inputFd >= 0) close(child.inputFd);
    child = {-1, -1};
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}
