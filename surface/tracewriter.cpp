#include "tracewriter.h"

#include <cerrno>
#include <cstring>

#include "cp932.h"
#include "outputfile.h"

namespace surface {

namespace {

std::string Int(const char* key, std::int64_t value)
{
    return std::string(",\"") + key + "\":" + std::to_string(value);
}

const char* BrushName(bool solid)
{
    return solid ? "solid" : "clear";
}

} // namespace

TraceWriter::TraceWriter(const std::string& path) : m_file(std::make_unique<core::OutputFile>())
{
    if (!m_file->Open(path)) {
        m_reason = m_file->Reason();
        m_file.reset();
        m_failed = true;
    }
}

TraceWriter::TraceWriter(std::FILE* stream) : m_stream(stream) {}

TraceWriter::~TraceWriter()
{
    Finish();
}

bool TraceWriter::Finish()
{
    if (m_file) {
        if (!m_file->Commit()) {
            m_failed = true;
            m_reason = m_file->Reason();
        }
        m_file.reset();
    }
    return !m_failed;
}

std::string TraceWriter::JsonString(const std::string& utf8)
{
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (b < 0x20) {
                out += "\\u00";
                out += hex[b >> 4];
                out += hex[b & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

void TraceWriter::Open(const std::string& titleCp932, int dpiX, int dpiY, int offsetX, int offsetY)
{
    Line("{\"op\":\"open\"" + Int("version", TraceFormatVersion) +
         ",\"title\":" + JsonString(core::Cp932ToUtf8(titleCp932)) + Int("dpi_x", dpiX) +
         Int("dpi_y", dpiY) + Int("offset_x", offsetX) + Int("offset_y", offsetY) + "}");
}

void TraceWriter::Text(std::int32_t x, std::int32_t y, const std::string& textCp932,
                       std::int32_t size, std::int32_t height, std::int32_t width,
                       std::int32_t cell, bool solidBrush)
{
    Line("{\"op\":\"text\"" + Int("x", x) + Int("y", y) + ",\"text\":" +
         JsonString(core::Cp932ToUtf8(textCp932)) + Int("size", size) + Int("height", height) +
         Int("width", width) + Int("cell", cell) + ",\"brush\":\"" + BrushName(solidBrush) + "\"}");
}

void TraceWriter::MoveTo(std::int32_t x, std::int32_t y)
{
    Line("{\"op\":\"moveto\"" + Int("x", x) + Int("y", y) + "}");
}

void TraceWriter::LineTo(std::int32_t x, std::int32_t y, std::int32_t pen)
{
    Line("{\"op\":\"lineto\"" + Int("x", x) + Int("y", y) + Int("pen", pen) + "}");
}

void TraceWriter::Rect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       std::int32_t pen, bool solidBrush)
{
    Line("{\"op\":\"rect\"" + Int("x1", x1) + Int("y1", y1) + Int("x2", x2) + Int("y2", y2) +
         Int("pen", pen) + ",\"brush\":\"" + BrushName(solidBrush) + "\"}");
}

void TraceWriter::RoundRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                            std::int32_t ex, std::int32_t ey, std::int32_t pen, bool solidBrush)
{
    Line("{\"op\":\"roundrect\"" + Int("x1", x1) + Int("y1", y1) + Int("x2", x2) + Int("y2", y2) +
         Int("ex", ex) + Int("ey", ey) + Int("pen", pen) + ",\"brush\":\"" + BrushName(solidBrush) +
         "\"}");
}

void TraceWriter::Close()
{
    Line("{\"op\":\"close\"}");
}

void TraceWriter::Abort()
{
    Line("{\"op\":\"abort\"}");
}

void TraceWriter::Line(const std::string& json)
{
    if (m_file) {
        if (!m_file->Write(json + '\n') && !m_failed) {
            m_failed = true;
            m_reason = m_file->Reason();
        }
        return;
    }
    if (!m_stream)
        return;
    std::fwrite(json.data(), 1, json.size(), m_stream);
    std::fputc('\n', m_stream);
    // A crash later in the job still leaves every line written so far.
    if ((std::fflush(m_stream) != 0 || std::ferror(m_stream)) && !m_failed) {
        m_failed = true;
        m_reason = std::strerror(errno != 0 ? errno : EIO);
    }
}

} // namespace surface
