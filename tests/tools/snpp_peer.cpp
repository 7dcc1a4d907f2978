#include "snpp_peer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

extern char** environ;

namespace snpp::testing {

namespace {

std::vector<char*> Argv(const std::string& path, std::vector<std::string>& args) {
  args.insert(args.begin(), path);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return argv;
}

}  // namespace

SnppClient::SnppClient(std::uint16_t port) {
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) Close();
  if (fd_ >= 0) greeting_ = Line();
}

SnppClient::~SnppClient() { Close(); }

void SnppClient::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void SnppClient::Write(const std::string& bytes) {
  std::size_t done = 0;
  while (fd_ >= 0 && done < bytes.size()) {
    const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::string SnppClient::Line() {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (std::size_t lf = pending_.find('\n'); lf == std::string::npos; lf = pending_.find('\n')) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    pollfd p{fd_, POLLIN, 0};
    if (fd_ < 0 || left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return "(none)";
    char buf[4096];
    const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
    if (n <= 0) return "";
    pending_.append(buf, static_cast<std::size_t>(n));
  }
  const std::size_t lf = pending_.find('\n');
  std::string line = pending_.substr(0, lf);
  pending_.erase(0, lf + 1);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string SnppClient::Say(const std::string& line) {
  Write(line + "\r\n");
  return Line();
}

ProgramOutcome RunProgram(const std::string& path, const std::vector<std::string>& args,
                          const std::string& input, const std::string& dir, const std::vector<std::string>* env) {
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  if (!dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  std::vector<std::string> all = args;
  const std::vector<char*> argv = Argv(path, all);
  std::vector<std::string> vars = env ? *env : std::vector<std::string>{};
  std::vector<char*> envp;
  for (std::string& v : vars) envp.push_back(v.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), env ? envp.data() : environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  ProgramOutcome result;
  // Inputs are small: the pipe takes them whole, and the child may exit unread.
  if (spawned == 0) [[maybe_unused]] const ssize_t n = ::write(in[1], input.data(), input.size());
  ::close(in[1]);
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  for (int open = 2; open > 0;) {
    ::poll(fds, 2, -1);
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buf[4096];
      const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<std::size_t>(n));
        continue;
      }
      ::close(fds[i].fd);
      fds[i].fd = -1;
      --open;
    }
  }
  int wstatus = 0;
  if (spawned == 0 && ::waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
  return result;
}

BackgroundProgram::BackgroundProgram(const std::string& path, const std::vector<std::string>& args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> all = args;
  const std::vector<char*> argv = Argv(path, all);
  if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
}

BackgroundProgram::~BackgroundProgram() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}

}  // namespace snpp::testing
