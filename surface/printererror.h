#pragma once

#include <string>

namespace surface {

// The printer messages, as UTF-8 literals; ThrowPrinterError raises them as
// core::EPrinter in code page 932 like every other message of the program.
inline constexpr const char* MsgPrinting = "現在印刷中です";
inline constexpr const char* MsgNotPrinting = "プリンタに印刷できる状態ではありません";
inline constexpr const char* MsgNoDefaultPrinter = "デフォルト プリンタが存在しません";
// The printer chosen is not there (any more), or the file printer's options
// describe no printer.
inline constexpr const char* MsgInvalidPrinter = "選択したプリンタは有効ではありません";
// The private spool directory or the spool file in it cannot be made.
inline constexpr const char* MsgSpoolFile = "印刷用の一時ファイルを作成できません";
// Qt's PDF writer or painter cannot begin the page (or its image cannot be
// allocated).
inline constexpr const char* MsgPageSetup = "印刷ページを作成できません";
// The page's exact paper size cannot be written into the PDF.
inline constexpr const char* MsgPageBox = "用紙サイズを設定できません";

// The scheduler took no request, or answered none, in time; followed by its
// name (ThrowSchedulerError).
inline constexpr const char* MsgSchedulerNotAnswering = "印刷スケジューラが応答しません";

[[noreturn]] void ThrowPrinterError(const char* messageUtf8);

// The spooler did not take the page: the queue and the spooler's own reason.
[[noreturn]] void ThrowSpoolError(const std::string& queue, const std::string& reasonUtf8);

// The scheduler named (its socket, or host:port) does not answer.
[[noreturn]] void ThrowSchedulerError(const std::string& schedulerUtf8);

} // namespace surface
