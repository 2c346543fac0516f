#pragma once

#include <string>

namespace surface {

// The printer messages, as UTF-8 literals; ThrowPrinterError raises them as
// core::EPrinter in code page 932 like every other message of the program.
inline constexpr const char* MsgPrinting = "現在印刷中です";
inline constexpr const char* MsgNotPrinting = "プリンタに印刷できる状態ではありません";
inline constexpr const char* MsgNoDefaultPrinter = "デフォルト プリンタが存在しません";
inline constexpr const char* MsgInvalidPrinter = "選択したプリンタは有効ではありません";

[[noreturn]] void ThrowPrinterError(const char* messageUtf8);

// The spooler did not take the page: the queue and the spooler's own reason.
[[noreturn]] void ThrowSpoolError(const std::string& queue, const std::string& reasonUtf8);

} // namespace surface
