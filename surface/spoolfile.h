#pragma once

#include <QString>

namespace surface {

// The file a page is drawn into before it goes to the spooler. It holds a
// taxpayer's data, so it lives in a directory of its own that only the user
// can enter (0700) under the temporary directory, and it goes with that
// directory: after the hand-over, when the page is abandoned, and when the
// program is ended by SIGTERM, SIGINT or SIGHUP (the handler removes what is
// there, then lets the signal end the program as it would have). The
// directory's name holds the process id: what a run ended by SIGKILL or a
// crash leaves is removed by the next run that spools a page.
class SpoolFile
{
public:
    SpoolFile();
    ~SpoolFile(); // Remove()
    SpoolFile(const SpoolFile&) = delete;
    SpoolFile& operator=(const SpoolFile&) = delete;

    // Creates the directory; false when it cannot be made (Path() is then
    // empty).
    bool Create();
    // The file's path inside the directory; the caller creates the file.
    const QString& Path() const { return m_path; }
    // Removes the file and the directory. Safe to call more than once.
    void Remove();

private:
    QString m_path;
    int m_slot = -1; // the signal handler's record of the paths
};

} // namespace surface
