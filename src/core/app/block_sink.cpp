#include "core/app/block_sink.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace ordalis::app {

namespace {

std::string TemporaryName(const std::string& target) {
  static unsigned counter = 0;
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return target + ".~" + std::to_string(static_cast<unsigned long long>(stamp)) + "-" +
         std::to_string(counter++) + ".tmp";
}

}  // namespace

FileBlockSink::FileBlockSink(std::string target) : target_(std::move(target)) {
  // "x": never open a file that someone else created under the same name.
  for (int attempt = 0; attempt < 4 && !file_; ++attempt) {
    temp_ = TemporaryName(target_);
    file_ = std::fopen(temp_.c_str(), "wbx");
  }
  if (file_) buffer_.reserve(kChunk + 4096);
}

FileBlockSink::~FileBlockSink() { abandon(); }

void FileBlockSink::flush() {
  if (!file_ || buffer_.empty()) return;
  if (!failed_ && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
    failed_ = true;
  }
  buffer_.clear();
}

bool FileBlockSink::commit() {
  if (!file_) return false;
  flush();
  bool ok = !failed_;
  ok = std::fflush(file_) == 0 && ok;
  ok = std::ferror(file_) == 0 && ok;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  std::error_code ec;
  if (ok) {
    std::filesystem::rename(temp_, target_, ec);
    ok = !ec;
  }
  if (!ok) std::filesystem::remove(temp_, ec);
  temp_.clear();
  return ok;
}

void FileBlockSink::abandon() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    std::error_code ec;
    std::filesystem::remove(temp_, ec);
    temp_.clear();
  }
  buffer_.clear();
}

}  // namespace ordalis::app
