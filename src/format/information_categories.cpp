#include "format/information_categories.h"

#include "shell/shift_jis.h"

#include <QFile>

bool ReadInformationCategories(const QString& path, InformationCategories& list)
{
    if (path.isEmpty() || !QFile::exists(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    list = InformationCategories();
    QByteArray content = file.readAll();
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
