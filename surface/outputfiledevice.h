#pragma once

#include <QIODevice>
#include <string>

#include "outputfile.h"

namespace surface {

// A file the printers write their documents to, as a QIODevice for Qt's
// writers: every write is checked, and the file at the path changes only when
// Commit succeeds (core::OutputFile). Open and Commit throw OutputWriteError,
// an EPrinter that names the file and the system's reason.
class OutputFileDevice : public QIODevice
{
public:
    explicit OutputFileDevice(std::string path);
    ~OutputFileDevice() override;

    void OpenOrThrow();
    void CommitOrThrow();
    // Drops what was written; nothing at the path changes.
    void Discard();

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    [[noreturn]] void ThrowWriteError();

    std::string m_path;
    core::OutputFile m_file;
};

} // namespace surface
