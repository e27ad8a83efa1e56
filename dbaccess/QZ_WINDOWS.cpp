#include "QZ_WINDOWS.h"

#include <QProcess>
#include <QStringList>

void RunProgram(const std::string& file, const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    QProcess::startDetached(QString::fromStdString(file), list);
}
