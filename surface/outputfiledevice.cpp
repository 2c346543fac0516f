#include "outputfiledevice.h"

#include <string_view>

#include "outputwriteerror.h"

namespace surface {

OutputFileDevice::OutputFileDevice(std::string path)
    : m_path(std::move(path)), m_file(core::OutputKind::Document)
{}

OutputFileDevice::~OutputFileDevice()
{
    Discard();
}

void OutputFileDevice::OpenOrThrow()
{
    if (!m_file.Open(m_path))
        ThrowWriteError();
    QIODevice::open(QIODevice::WriteOnly);
}

void OutputFileDevice::CommitOrThrow()
{
    const bool committed = m_file.Commit();
    QIODevice::close();
    if (!committed)
        ThrowWriteError();
}

void OutputFileDevice::Discard()
{
    m_file.Discard();
    if (isOpen())
        QIODevice::close();
}

qint64 OutputFileDevice::readData(char*, qint64)
{
    return -1;
}

qint64 OutputFileDevice::writeData(const char* data, qint64 size)
{
    if (!m_file.Write(std::string_view(data, static_cast<std::size_t>(size))))
        return -1;
    return size;
}

void OutputFileDevice::ThrowWriteError()
{
    throw OutputWriteError(m_path, m_file.Reason());
}

} // namespace surface
