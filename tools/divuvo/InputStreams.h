#pragma once
// The kinds of stream in the input, as ffmpeg lists them before it converts: "  Stream #0:1(eng):
// Audio: aac ...". Some conversions depend on them: a container that must hold audio gets a
// silent track for an input without any, and an audio file from an input without audio fails
// with a plain reason.

#include <string_view>

namespace quillabe::divuvo {

struct InputStreams {
    bool listed = false;  // ffmpeg listed the input
    bool video = false;   // a video stream (cover pictures count too)
    bool audio = false;   // an audio stream
    bool unknown = false; // a stream line that could not be read: nothing is concluded

    // Known for sure to hold no audio stream.
    bool WithoutAudio() const { return listed && !unknown && !audio; }
};

enum class StreamKind { None, Video, Audio, Other, Unreadable };

// The kind of stream one of ffmpeg's stream lines names, from the text of the line after its
// level prefix. None when the text is not a stream line of input 0.
StreamKind InputStreamKind(std::string_view text);

// Notes the kind of one stream line.
void NoteStream(InputStreams& streams, StreamKind kind);

} // namespace quillabe::divuvo
