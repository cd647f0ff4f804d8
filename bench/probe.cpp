// Preloaded into the game by bench/e2e.sh (LD_PRELOAD), never linked into it.
//   MATCH3_PROBE_TIME=SECONDS  time() gives this, so every run plays the same game
//   MATCH3_PROBE_RECORD=PATH   each write to standard output is appended to PATH
//                              as a 4-byte length and the bytes
//   MATCH3_PROBE_REPORT=PATH   at exit, "writes W allocations A" is written to PATH
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
}

namespace {

std::uint64_t writes = 0;
std::uint64_t allocations = 0;
int recordFile = -2;  // not opened yet

ssize_t rawWrite(int descriptor, const void* bytes, std::size_t count) {
  return syscall(SYS_write, descriptor, bytes, count);
}

void record(const void* bytes, std::size_t count) {
  if (recordFile == -2) {
    const char* path = std::getenv("MATCH3_PROBE_RECORD");
    recordFile = path == nullptr ? -1 : open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  }
  if (recordFile >= 0) {
    const auto length = static_cast<std::uint32_t>(count);
    rawWrite(recordFile, &length, sizeof length);
    rawWrite(recordFile, bytes, count);
  }
}

__attribute__((destructor)) void report() {
  const char* path = std::getenv("MATCH3_PROBE_REPORT");
  if (path == nullptr) {
    return;
  }
  const int file = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  char line[96];
  const int length = std::snprintf(line, sizeof line, "writes %llu allocations %llu\n",
                                   static_cast<unsigned long long>(writes),
                                   static_cast<unsigned long long>(allocations));
  rawWrite(file, line, static_cast<std::size_t>(length));
  close(file);
}

}  // namespace

extern "C" {

time_t time(time_t* out) {
  const char* fixed = std::getenv("MATCH3_PROBE_TIME");
  const time_t now = fixed != nullptr ? std::strtoll(fixed, nullptr, 10)
                                      : static_cast<time_t>(syscall(SYS_time, nullptr));
  if (out != nullptr) {
    *out = now;
  }
  return now;
}

ssize_t write(int descriptor, const void* bytes, std::size_t count) {
  if (descriptor == STDOUT_FILENO) {
    ++writes;
    record(bytes, count);
  }
  return rawWrite(descriptor, bytes, count);
}

ssize_t writev(int descriptor, const iovec* pieces, int count) {
  if (descriptor == STDOUT_FILENO) {
    ++writes;
    for (int index = 0; index < count; ++index) {
      record(pieces[index].iov_base, pieces[index].iov_len);
    }
  }
  return syscall(SYS_writev, descriptor, pieces, count);
}

void* malloc(std::size_t size) {
  ++allocations;
  return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
  ++allocations;
  return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) {
  ++allocations;
  return __libc_realloc(block, size);
}

}  // extern "C"
