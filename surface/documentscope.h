#pragma once

namespace surface {

class TPrinter;
struct DocumentOutput;

// Opens a document on the printer for one job and makes sure it does not stay
// open: a job that ends by an error abandons its page, so that nothing of a
// half-drawn page is printed and the next job can open a document.
class DocumentScope
{
public:
    explicit DocumentScope(TPrinter& printer); // OpenDocument
    ~DocumentScope();                          // AbortDocument unless closed
    DocumentScope(const DocumentScope&) = delete;
    DocumentScope& operator=(const DocumentScope&) = delete;

    // CloseDocument: the page goes to the printer. Returns what came of it.
    DocumentOutput Close();

private:
    TPrinter& m_printer;
    bool m_closed = false;
};

} // namespace surface
