#include "db/TargetLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "db/ConnectionString.h"
#include "db/Error.h"
#include "db/Text.h"

namespace db {

namespace {

constexpr const char* kInUseClass = "ETargetInUse";
constexpr auto kPollInterval = std::chrono::milliseconds(100);

// flock() locks belong to the open file, not to the process: unlike the record locks SQLite
// uses, they are neither shared by two opens in one process nor dropped when some other
// descriptor of the file is closed.
class LockFile : public TargetLock {
 public:
  explicit LockFile(int fd) : fd_(fd) {}
  ~LockFile() override { close(fd_); }  // closing releases the lock

 private:
  int fd_;
};

class NoLock : public TargetLock {};

// The lock file of a target: hidden beside the catalog file (or the Access file), so that the
// engine's catalog listings pass it by.
std::filesystem::path lockFileOf(const BackendConfig& config, const ConnectionString& target) {
  if (providerKind(target) == ProviderKind::Jet) {
    const std::filesystem::path file = target.getOr("Data Source", "");
    return file.parent_path() / ("." + file.filename().string() + ".upgrade-lock");
  }
  std::string catalog(trimBlanks(target.getOr("Initial Catalog", target.getOr("Database", ""))));
  if (catalog.empty()) catalog = "master";
  return config.dataDir / ("." + asciiLower(catalog) + ".upgrade-lock");
}

std::string holderOf(int fd) {
  char text[32] = {};
  const ssize_t n = pread(fd, text, sizeof text - 1, 0);
  return n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string("another process");
}

}  // namespace

std::unique_ptr<TargetLock> lockTarget(const BackendConfig& config, const std::string& connectionString,
                                       const LockWaiting& waiting) {
  if (config.kind != BackendConfig::Kind::Embedded) return std::make_unique<NoLock>();
  const ConnectionString target = ConnectionString::parse(connectionString);
  const std::filesystem::path file = lockFileOf(config, target);
  std::error_code ec;
  if (!file.parent_path().empty()) std::filesystem::create_directories(file.parent_path(), ec);
  const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0)
    throw Error(kInUseClass, "Cannot create the upgrade lock " + file.string() + ": " + std::strerror(errno) +
                                 ". Check that the data directory is writable.");
  const auto deadline = std::chrono::steady_clock::now() + waiting.patience;
  bool told = false;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      const std::string reason = std::strerror(errno);
      close(fd);
      throw Error(kInUseClass, "Cannot take the upgrade lock " + file.string() + ": " + reason + ".");
    }
    const std::string holder = holderOf(fd);
    if (std::chrono::steady_clock::now() >= deadline) {
      close(fd);
      throw Error(kInUseClass, "The database is being upgraded by " + holder + " (lock " + file.string() +
                                   "). Wait for that upgrade to finish, then run again.");
    }
    if (!told && waiting.onWait)
      waiting.onWait("The database is being upgraded by " + holder + "; waiting for it to finish...");
    told = true;
    std::this_thread::sleep_for(kPollInterval);
  }
  // Who holds it, for the message of the next one to come.
  const std::string holder = "process " + std::to_string(getpid());
  if (ftruncate(fd, 0) == 0) {
    [[maybe_unused]] const ssize_t written = pwrite(fd, holder.data(), holder.size(), 0);  // shown to others only
  }
  return std::make_unique<LockFile>(fd);
}

}  // namespace db
