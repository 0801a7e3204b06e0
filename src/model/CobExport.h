#pragma once

#include <string>
#include <string_view>

// The course as a Caligari trueSpace ASCII object (.cob): one polygon object "Course"
// whose faces are the road quadrilaterals between consecutive course rows, each mapped
// onto the whole texture square, and one material. Lines end with CR LF.

// Takes the .cob text in chunks as it is produced.
class CobTextSink {
public:
    virtual ~CobTextSink() = default;
    virtual void Write(std::string_view chunk) = 0;
};

// Streams the current course's .cob text row by row: memory stays the same however
// many samples the course has.
void WriteCob(CobTextSink& sink);

// 0 when the whole file was written, 1 when it could not be created or written; a
// failed export leaves any earlier file of that name as it was. `failure`, when given,
// then receives why, in words for a message.
int ExportCob(const char* fileName, std::string* failure = nullptr);
