// The page that stands for an audio file in the index: its stream data and
// tags written as a small HTML page.
#pragma once

#include <string>

namespace qm {

// Returns the text of an HTML page describing the audio file at `path`
// (title from the track, artist and title tags, a description meta element
// and a body from the stream data and the other tags). Cannot fail: when the
// file cannot be read as audio the page text is `path` itself, unchanged and
// without markup.
std::string AudioFileToHtml(const std::string& path);

}  // namespace qm
