#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>

// Makes a FIFO at `fifo` and runs `open`, which reads it and returns whether it succeeded, on
// another thread. Succeeds when `open` returns false within five seconds. An open that waits for
// a writer instead fails the check; the FIFO is then opened for writing until the waiting open
// goes on, so that the test still ends.
inline ::testing::AssertionResult RefusesFifoAtOnce(const std::string& fifo,
                                                    const std::function<bool()>& open) {
  if (::mkfifo(fifo.c_str(), 0600) != 0) {
    return ::testing::AssertionFailure() << "cannot make a FIFO at " << fifo;
  }
  std::future<bool> opened = std::async(std::launch::async, open);
  if (opened.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    while (opened.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
      const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) {
        ::close(writer);
      }
    }
    opened.get();
    return ::testing::AssertionFailure() << "opening the FIFO " << fifo << " waited for a writer";
  }
  if (opened.get()) {
    return ::testing::AssertionFailure() << "the FIFO " << fifo << " was read as a file";
  }
  return ::testing::AssertionSuccess();
}

// While it lives, no file of this process can grow past `bytes` bytes: a write beyond fails with
// EFBIG, as on a full disk, instead of raising the signal that would end the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    previous_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{bytes, previous_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit previous_{};
  sighandler_t previous_handler_ = SIG_DFL;
};
