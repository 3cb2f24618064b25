#include "platform/inet/cookie_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <vector>

namespace dw::platform::inet {
namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;
constexpr char kFileHeader[] = "# Netscape HTTP Cookie File\n";

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

class Store {
 public:
  Store() : share_(curl_share_init()) {
    if (share_ == nullptr) return;
    ok_ = curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &Store::Lock) == CURLSHE_OK &&
          curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &Store::Unlock) == CURLSHE_OK &&
          curl_share_setopt(share_, CURLSHOPT_USERDATA, this) == CURLSHE_OK &&
          curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE) == CURLSHE_OK;
  }
  ~Store() {
    if (share_ != nullptr) curl_share_cleanup(share_);
  }
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  bool Attach(CURL* easy) {
    std::lock_guard<std::mutex> guard(use_);
    if (!ok_) return false;
    if (curl_easy_setopt(easy, CURLOPT_SHARE, share_) != CURLE_OK) return false;
    // An empty file name switches the cookie engine on without reading anything.
    if (curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "") != CURLE_OK) return false;
    const std::string path = CookieStorePath();
    if (!loaded_ || path != path_) Load(path);
    return true;
  }

  void Save(CURL* easy) {
    std::lock_guard<std::mutex> guard(use_);
    if (path_.empty()) return;
    const std::string content = PersistentCookies(easy);
    if (content == saved_) return;
    if (WriteAtomically(path_, content)) saved_ = content;
  }

 private:
  static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<Store*>(self)->locks_[LockIndex(data)].lock();
  }
  static void Unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<Store*>(self)->locks_[LockIndex(data)].unlock();
  }
  static std::size_t LockIndex(curl_lock_data data) {
    const auto index = static_cast<std::size_t>(data);
    return index < kLockCount ? index : 0;
  }

  // Replaces the cookies in memory by those of the file at path.
  void Load(const std::string& path) {
    loaded_ = true;
    path_ = path;
    saved_.clear();
    EasyHandle easy(curl_easy_init());
    if (!easy || curl_easy_setopt(easy.get(), CURLOPT_SHARE, share_) != CURLE_OK) return;
    curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, "ALL");
    if (path.empty()) return;
    std::ifstream in(path, std::ios::binary);
    if (!in) return;
    std::string content(kMaxFileBytes, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    std::istringstream lines(content);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      // Only the tab-separated cookie lines; curl skips comments itself.
      if (line.find('\t') == std::string::npos) continue;
      curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, line.c_str());
    }
    saved_ = PersistentCookies(easy.get());
  }

  // The file text for the cookies that carry an expiry time.
  static std::string PersistentCookies(CURL* easy) {
    curl_slist* list = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_COOKIELIST, &list) != CURLE_OK) return std::string();
    std::string content = kFileHeader;
    for (curl_slist* item = list; item != nullptr; item = item->next) {
      const std::string line = item->data;
      // Fields: domain, subdomains, path, secure, expiry, name, value.
      std::size_t field = 0, at = 0;
      while (field < 4 && at != std::string::npos) {
        at = line.find('\t', at);
        if (at != std::string::npos) ++at;
        ++field;
      }
      if (at == std::string::npos || line.compare(at, 2, "0\t") == 0) continue;
      content += line + "\n";
    }
    curl_slist_free_all(list);
    return content;
  }

  static bool WriteAtomically(const std::string& path, const std::string& content) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return false;
    const std::string dir = path.substr(0, slash);
    if (!MakeDirectories(dir)) return false;
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());  // mode 0600
    if (fd < 0) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < content.size()) {
      const ssize_t n = write(fd, content.data() + done, content.size() - done);
      if (n < 0 && errno == EINTR) continue;
      ok = n > 0;
      if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && fchmod(fd, 0600) == 0 && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
  }

  static bool MakeDirectories(const std::string& dir) {
    for (std::size_t at = 1; at <= dir.size(); ++at) {
      if (at != dir.size() && dir[at] != '/') continue;
      const std::string part = dir.substr(0, at);
      if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat info {};
    return stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  static constexpr std::size_t kLockCount = CURL_LOCK_DATA_LAST;
  CURLSH* share_;
  bool ok_ = false;
  std::array<std::mutex, kLockCount> locks_;
  std::mutex use_;
  bool loaded_ = false;
  std::string path_;
  std::string saved_;  // the file text last read or written
};

Store& TheStore() {
  static Store store;
  return store;
}

}  // namespace

std::string CookieStorePath() {
  std::string base;
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') {
    base = state;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return std::string();
    base = std::string(home) + "/.local/state";
  }
  return base + "/deskwatch/cookies.txt";
}

bool AttachCookieStore(CURL* easy) {
  return TheStore().Attach(easy);
}

void SaveCookieStore(CURL* easy) {
  TheStore().Save(easy);
}

}  // namespace dw::platform::inet
