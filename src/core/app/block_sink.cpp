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

// Devices, pipes and sockets (/dev/null, a FIFO a CAM system reads) are written in place: a file
// renamed over them would replace them, and as root even a device node of the system.
bool IsSpecialFile(const std::filesystem::file_status& st) {
  return std::filesystem::exists(st) && !std::filesystem::is_regular_file(st) &&
         !std::filesystem::is_directory(st);
}

}  // namespace

FileBlockSink::FileBlockSink(std::string target) : target_(std::move(target)) {
  std::error_code ec;
  const auto st = std::filesystem::status(target_, ec);
  if (!ec && IsSpecialFile(st)) {
    file_ = std::fopen(target_.c_str(), "wb");
    inPlace_ = true;
    return;
  }
  // A symbolic link stays a link: the program replaces the file it points to.
  destination_ = target_;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(target_, ec)) &&
      std::filesystem::is_regular_file(st)) {
    const auto real = std::filesystem::canonical(target_, ec);
    if (!ec) destination_ = real.string();
  }
  // "x": never open a file that someone else created under the same name.
  for (int attempt = 0; attempt < 4 && !file_; ++attempt) {
    temp_ = TemporaryName(destination_);
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
  if (inPlace_) return ok;
  std::error_code ec;
  if (ok) {
    std::filesystem::rename(temp_, destination_, ec);
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
