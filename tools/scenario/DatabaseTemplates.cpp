#include "DatabaseTemplates.h"

#include "data/sqlite/DemoDatabase.h"

#include <QFile>
#include <stdexcept>

namespace vornel::scenario {

namespace {

void copyFile(const QString& from, const QString& to) {
    QFile::remove(to);
    if (!QFile::copy(from, to))
        throw std::runtime_error(QStringLiteral("cannot copy %1 to %2").arg(from, to).toStdString());
    // The copy must be writable even when the template was made read-only by the umask.
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

DatabaseTemplates::DatabaseTemplates() {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder for the scenario databases");
}

QString DatabaseTemplates::templatePath(bool empty) {
    const QString path = m_dir.filePath(empty ? QStringLiteral("empty.db") : QStringLiteral("demo.db"));
    bool& built = empty ? m_emptyBuilt : m_demoBuilt;
    if (!built) {
        if (empty)
            DemoDatabase::createEmpty(path);
        else
            DemoDatabase::create(path);
        built = true;
    }
    return path;
}

QString DatabaseTemplates::freshCopy(bool empty) {
    const QString source = templatePath(empty);
    const QString target = m_dir.filePath(QStringLiteral("scenario%1.db").arg(++m_copies));
    copyFile(source, target);
    copyFile(DemoDatabase::admPathFor(source), DemoDatabase::admPathFor(target));
    return target;
}

} // namespace vornel::scenario
