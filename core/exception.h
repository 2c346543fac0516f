#pragma once

#include <exception>
#include <string>

namespace core {

// Base of the program's own errors. The message is a code page 932 byte string,
// like every text of the program; it becomes Unicode only where it is shown.
class Exception : public std::exception
{
public:
    explicit Exception(std::string messageCp932) : m_message(std::move(messageCp932)) {}
    const std::string& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

} // namespace core
