#pragma once
// One handle of the media-information library, released with the object. The library's 8-bit
// interface is used; every answer is copied into a string of our own at once, because the library
// reuses the buffer behind the returned pointer on the next call.

#include <cstddef>
#include <string>

namespace quillabe {

enum class StreamKind : int { General = 0, Video = 1, Audio = 2 };

class MediaInfoHandle {
public:
    MediaInfoHandle();
    ~MediaInfoHandle();
    MediaInfoHandle(const MediaInfoHandle&) = delete;
    MediaInfoHandle& operator=(const MediaInfoHandle&) = delete;

    // Opens the file for the following queries; false when the library could not. Any byte
    // sequence is a valid name: names the library cannot take through its 8-bit interface are
    // handed to it through an alias of an already opened descriptor (see OpenedAs).
    bool Open(const std::string& path);
    // The parameter's value as text (stream number, info kind Text, search kind Name); empty when
    // the file has no such stream or value, or nothing is open.
    std::string Get(StreamKind kind, size_t streamNumber, const std::string& parameter) const;
    // The whole report of the opened file.
    std::string Inform() const;
    void Close();

    // The name the library was given by the last Open: the path itself, or its alias.
    const std::string& OpenedAs() const { return openedAs_; }

    // A library-wide option (null handle); returns the library's answer.
    static std::string Option(const std::string& option, const std::string& value);

private:
    void* handle_ = nullptr;
    int aliasFd_ = -1;
    std::string openedAs_;
};

} // namespace quillabe
