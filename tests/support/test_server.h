// Starts tests/support/https_server.py for one test and stops it in the destructor: a real
// HTTPS server on 127.0.0.1 with a fresh self-signed certificate, an optional plain HTTP
// port, a log of every request head and a control file for its mode.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace dw::test {

struct TestServerOptions {
  bool plainPort = false;  // also listen for plain HTTP
  std::string root;        // files served by path
  std::string page;        // the file served for "/s"
  std::string certHost;    // certificate for this name only (default: 127.0.0.1, localhost)
};

class TestServer {
 public:
  explicit TestServer(const TestServerOptions& options = {});
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  // False when the server did not come up (the reason is in error()).
  bool ok() const { return port_ > 0; }
  const std::string& error() const { return error_; }

  int port() const { return port_; }
  int plainPort() const { return plainPort_; }
  // "https://127.0.0.1:PORT" + path, and the plain HTTP counterpart.
  std::string Url(const std::string& path) const;
  std::string PlainUrl(const std::string& path) const;
  // The certificate to trust (DESKWATCH_CA_FILE).
  std::string CaFile() const { return dir_ + "/cert.pem"; }
  // A scratch folder that lives as long as the server.
  const std::string& Dir() const { return dir_; }

  // Every request head received so far (request line and header lines, each ended by
  // CR LF, without the empty line that ends the head), oldest first.
  std::vector<std::string> Requests() const;
  // Switches the server's mode ("normal", "stall", "down", ...; see https_server.py).
  void SetMode(const std::string& mode) const;

 private:
  std::string dir_;
  pid_t pid_ = -1;
  int port_ = 0;
  int plainPort_ = 0;
  std::string error_;
};

// Sets an environment variable for the life of the object and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const std::string& name, const char* value);  // null value: unset
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool hadValue_ = false;
  std::string oldValue_;
};

}  // namespace dw::test
