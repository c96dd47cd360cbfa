#pragma once
// Fresh databases for scenarios: the demo and the empty database are each built once into a
// private folder, then every scenario gets its own copy of the two files (company and AdmTivra).

#include <QString>
#include <QTemporaryDir>

namespace vornel::scenario {

class DatabaseTemplates {
public:
    DatabaseTemplates();

    // Writes a fresh copy at a new path in the private folder and returns the path. Throws DbError
    // when the template cannot be built, std::runtime_error when it cannot be copied.
    QString freshCopy(bool empty);

private:
    QString templatePath(bool empty);

    QTemporaryDir m_dir;
    bool m_demoBuilt = false;
    bool m_emptyBuilt = false;
    int m_copies = 0;
};

} // namespace vornel::scenario
