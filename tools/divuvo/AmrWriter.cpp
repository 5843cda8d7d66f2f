#include "divuvo/AmrWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

extern "C" {
#include <opencore-amrnb/interf_enc.h>
#include <vo-amrwbenc/enc_if.h>
}

namespace quillabe::divuvo {

namespace {
constexpr size_t kFlushAt = 64 * 1024;
std::string reason(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}
} // namespace

AmrWriter::~AmrWriter() {
    Abandon();
}

bool AmrWriter::Open(const std::string& path, const AmrSettings& settings, std::string& error) {
    settings_ = settings;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        error = reason("cannot create the file");
        return false;
    }
    state_ = settings.wideband ? E_IF_init() : Encoder_Interface_init(0);
    if (!state_) {
        error = "the AMR encoder could not be initialised";
        return false;
    }
    frame_.assign(static_cast<size_t>(settings.samplesPerFrame()), 0);
    out_ = settings.wideband ? "#!AMR-WB\n" : "#!AMR\n";
    return flush(error);
}

bool AmrWriter::Write(std::string_view pcm, std::string& error) {
    size_t i = 0;
    auto put = [&](int lo, int hi) {
        frame_[filled_++] = static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
        ++samplesIn_;
    };
    if (pendingByte_ >= 0 && !pcm.empty()) {
        put(pendingByte_, static_cast<unsigned char>(pcm[0]));
        pendingByte_ = -1;
        i = 1;
        if (filled_ == frame_.size() && !encodeFrame(error))
            return false;
    }
    for (; i + 1 < pcm.size(); i += 2) {
        put(static_cast<unsigned char>(pcm[i]), static_cast<unsigned char>(pcm[i + 1]));
        if (filled_ == frame_.size() && !encodeFrame(error))
            return false;
    }
    if (i < pcm.size())
        pendingByte_ = static_cast<unsigned char>(pcm[i]);
    return out_.size() < kFlushAt || flush(error);
}

bool AmrWriter::encodeFrame(std::string& error) {
    unsigned char packet[64];
    int n = settings_.wideband ? E_IF_encode(state_, settings_.mode, frame_.data(), packet, 0)
                               : Encoder_Interface_Encode(state_, static_cast<Mode>(settings_.mode),
                                                          frame_.data(), packet, 0);
    if (n <= 0) {
        error = "the AMR encoder failed on a frame";
        return false;
    }
    out_.append(reinterpret_cast<const char*>(packet), static_cast<size_t>(n));
    filled_ = 0;
    ++frames_;
    return true;
}

bool AmrWriter::flush(std::string& error) {
    size_t done = 0;
    while (done < out_.size()) {
        ssize_t n = ::write(fd_, out_.data() + done, out_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = reason("cannot write the file");
            return false;
        }
        done += static_cast<size_t>(n);
    }
    bytes_ += static_cast<int64_t>(out_.size());
    out_.clear();
    return true;
}

bool AmrWriter::Finish(std::string& error) {
    if (filled_ > 0) {
        std::fill(frame_.begin() + static_cast<std::ptrdiff_t>(filled_), frame_.end(), 0);
        if (!encodeFrame(error))
            return false;
    }
    if (!flush(error))
        return false;
    closeCodec();
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        error = reason("cannot write the file");
        return false;
    }
    return true;
}

void AmrWriter::Abandon() {
    std::string ignored;
    if (fd_ >= 0) {
        filled_ = 0; // a partial frame is dropped; the whole ones stay
        flush(ignored);
        ::close(fd_);
        fd_ = -1;
    }
    closeCodec();
}

void AmrWriter::closeCodec() {
    if (!state_)
        return;
    if (settings_.wideband)
        E_IF_exit(state_);
    else
        Encoder_Interface_exit(state_);
    state_ = nullptr;
}

} // namespace quillabe::divuvo
