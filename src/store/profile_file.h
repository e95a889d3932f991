#pragma once
// Reading of Windows-style profile files (".ini") as the original platform's
// profile reader does it: CP932 text (UTF-8 after a byte-order mark),
// case-insensitive sections and keys, the first match wins, blanks around
// names and values ignored, a value enclosed in matching quotes loses them, a
// missing file, section or key reads as the default. Hand-written because no
// library on the target reads CP932 profile files with these rules
// (QSettings' IniFormat escapes and decodes differently).

#include <QByteArray>
#include <QList>
#include <QString>

// The site's files (EDI.ini, the category file) are small text files.
constexpr qint64 kSiteFileLimit = 1024 * 1024;

// The content of a site file. Only a regular file of at most maxBytes is read,
// so that a FIFO, a device or a folder neither blocks nor exhausts memory.
struct SiteFile {
    enum Outcome { Read, NotOpened, Refused };
    Outcome outcome = NotOpened;
    QByteArray content;
    QString reason;  // why it was not read
};
SiteFile ReadSiteFile(const QString& path, qint64 maxBytes = kSiteFileLimit);

// A profile file read and decoded once, for any number of lookups.
class ProfileFile {
public:
    // A file that does not exist or cannot be opened has no sections; one that
    // is no regular file or too large is refused (Error() says why).
    explicit ProfileFile(const QString& path);

    QString Error() const { return error_; }

    // The reader's result as it lands in a caller's buffer of bufferSize bytes:
    // the value (cut to bufferSize - 1 bytes) followed by a NUL, the rest blanks.
    QByteArray Buffer(const QString& section, const QString& key, const QString& defaultValue,
                      int bufferSize) const;

private:
    struct Entry {
        QString section, key, value;
    };
    QList<Entry> entries_;  // in file order
    QString error_;
};

// The text before the first NUL of a buffer; empty when the NUL is the first
// byte or when there is no NUL at all.
QString TrimAtNull(const QByteArray& buffer);
