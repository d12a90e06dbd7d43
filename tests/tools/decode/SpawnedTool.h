#pragma once
// Runs a built tool (vorrendal-decode unless told) as a shell would: its own process, real pipes
// (or a file for output, or a closed input) for its standard streams, tied and shared between
// threads as string streams never are.

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace vorrendal::testing {

struct SpawnSetup {
  SpawnSetup(std::string input = "", std::string output = "", std::size_t limit = -1)
      : in(std::move(input)), outFile(std::move(output)), outLimit(limit) {}
  std::string in;             // written to standard input through a pipe
  bool closeIn = false;       // standard input closed instead
  std::string outFile;        // standard output opened on this file instead of a pipe
  std::size_t outLimit = -1;  // the reading end is closed once this much has arrived
  std::string program = VORRENDAL_BIN_DIR "/vorrendal-decode";
};

struct Spawned {
  int status = -1;  // exit status, -1 when killed by a signal
  int signal = 0;   // the signal that ended it
  std::string out, err;
  std::size_t fed = 0;  // bytes of in the program took before it ended
};

inline std::string ReadFile(const std::filesystem::path& path) {
  return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

inline Spawned SpawnTool(const std::vector<std::string>& args, const SpawnSetup& setup = {}) {
  std::signal(SIGPIPE, SIG_IGN);  // the child may stop reading its input early
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
    return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (setup.closeIn) posix_spawn_file_actions_addclose(&actions, 0);
  if (!setup.closeIn) posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  if (setup.outFile.empty()) posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  if (!setup.outFile.empty())
    posix_spawn_file_actions_addopen(&actions, 1, setup.outFile.c_str(), O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  std::vector<char*> argv{const_cast<char*>(setup.program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  // The program starts with SIGPIPE's default action, as from a shell, not with this process's.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, setup.program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  for (const int fd : {in[0], out[1], err[1]}) ::close(fd);
  // Feed standard input and drain both outputs at once, so that no side waits on a full pipe.
  pollfd fds[3] = {{in[1], POLLOUT, 0}, {out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  Spawned run;
  const auto shut = [&](int k) { ::close(fds[k].fd), fds[k].fd = -1; };
  if (spawned != 0 || setup.closeIn || setup.in.empty()) shut(0);
  if (spawned != 0) shut(1), shut(2);
  // A program that hangs is killed: the test fails instead of hanging too.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (fds[0].fd >= 0 || fds[1].fd >= 0 || fds[2].fd >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || ::poll(fds, 3, static_cast<int>(left.count())) <= 0) {
      ::kill(pid, SIGKILL);
      break;
    }
    if (fds[0].fd >= 0 && fds[0].revents != 0) {
      // Room for PIPE_BUF bytes is what poll promises: a larger write could block.
      const std::size_t piece = std::min<std::size_t>(PIPE_BUF, setup.in.size() - run.fed);
      const ssize_t n =
          (fds[0].revents & POLLOUT) ? ::write(in[1], setup.in.data() + run.fed, piece) : -1;
      if (n > 0) run.fed += static_cast<std::size_t>(n);
      if (n <= 0 || run.fed == setup.in.size()) shut(0);
    }
    for (int k = 1; k < 3; ++k) {
      if (fds[k].fd < 0 || fds[k].revents == 0) continue;
      char buffer[65536];
      const ssize_t n = ::read(fds[k].fd, buffer, sizeof buffer);
      std::string& text = k == 1 ? run.out : run.err;
      if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
      if (n <= 0 || (k == 1 && text.size() >= setup.outLimit)) shut(k);
    }
  }
  for (int k = 0; k < 3; ++k)
    if (fds[k].fd >= 0) shut(k);
  int raw = 0;
  if (spawned == 0) ::waitpid(pid, &raw, 0);
  if (spawned == 0 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
  if (spawned == 0 && WIFSIGNALED(raw)) run.signal = WTERMSIG(raw);
  return run;
}

}  // namespace vorrendal::testing
