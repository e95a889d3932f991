#include "store/information_categories.h"

#include "core/shift_jis.h"
#include "store/profile_file.h"

bool ReadInformationCategories(const QString& path, InformationCategories& list)
{
    list = InformationCategories();
    if (path.isEmpty()) {
        list.Unread = QStringLiteral("no information-category file configured");
        return false;
    }
    const SiteFile file = ReadSiteFile(path);
    if (file.outcome != SiteFile::Read) {
        list.Unread = QStringLiteral("information-category file %1: %2").arg(path, file.reason);
        return false;
    }
    QByteArray content = file.content;
    if (content.endsWith('\n'))
        content.chop(1);
    if (content.isEmpty())
        return true;
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString text = FromAnsi(line);
        list.Codes.append(text.left(4));
        list.Names.append(text.mid(4, 20));
    }
    return true;
}
