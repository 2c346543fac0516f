#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace core {
class OutputFile;
}

namespace surface {

// Writes the operations of each document as JSON Lines, one object per line,
// as they happen. Texts are UTF-8; coordinates are the device dots handed to
// the surface.
// The format is described in docs/trace.md; a reader checks "version".
//   {"op":"open","version":1,"title":"OCR","dpi_x":600,"dpi_y":600,"offset_x":100,"offset_y":100}
//   {"op":"text","x":1081,"y":2262,"text":"...","size":10,"height":-83,"width":412,"cell":96,"brush":"solid"}
//   {"op":"moveto","x":1181,"y":23}
//   {"op":"lineto","x":1181,"y":2007,"pen":0}
//   {"op":"rect","x1":118,"y1":118,"x2":1889,"y2":2480,"pen":2,"brush":"clear"}
//   {"op":"roundrect","x1":..,"y1":..,"x2":..,"y2":..,"ex":35,"ey":35,"pen":7,"brush":"clear"}
//   {"op":"close"}   or   {"op":"abort"}
class TraceWriter
{
public:
    // Writes to path through core::OutputFile: "-" is standard output, a
    // regular file appears whole at Finish (or when the writer goes) and is
    // left as it was when a write failed. Ok() tells whether it opened.
    explicit TraceWriter(const std::string& path);
    // Writes to an open stream that the caller keeps, flushing each line.
    explicit TraceWriter(std::FILE* stream);
    ~TraceWriter();
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;

    bool Ok() const { return m_stream != nullptr || m_file != nullptr; }

    // Ends the trace: the file written is put in place. False, with nothing
    // at the path changed, when any write failed; Reason() says why.
    bool Finish();
    const std::string& Reason() const { return m_reason; }

    void Open(const std::string& titleCp932, int dpiX, int dpiY, int offsetX, int offsetY);
    void Text(std::int32_t x, std::int32_t y, const std::string& textCp932, std::int32_t size,
              std::int32_t height, std::int32_t width, std::int32_t cell, bool solidBrush);
    void MoveTo(std::int32_t x, std::int32_t y);
    void LineTo(std::int32_t x, std::int32_t y, std::int32_t pen);
    void Rect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t pen,
              bool solidBrush);
    void RoundRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   std::int32_t ex, std::int32_t ey, std::int32_t pen, bool solidBrush);
    void Close();
    void Abort();

    // JSON string escaping of UTF-8 text (quotes, backslash, control characters).
    static std::string JsonString(const std::string& utf8);

    // The format's version in the open record: raised whenever a record or
    // field changes its meaning or goes away (docs/trace.md).
    static constexpr int TraceFormatVersion = 1;

private:
    void Line(const std::string& json);

    std::FILE* m_stream = nullptr;
    std::unique_ptr<core::OutputFile> m_file;
    bool m_failed = false;
    std::string m_reason;
};

} // namespace surface
