#include "Parameter.h"

namespace vornel {

namespace {

QStringView bareName(const QString& name) {
    QStringView v(name);
    v = v.trimmed();
    if (v.startsWith(QLatin1Char('@'))) v = v.mid(1);
    return v;
}

} // namespace

const Parameter* findParameter(const std::vector<Parameter>& params, const QString& name) {
    const QStringView wanted = bareName(name);
    for (const Parameter& p : params)
        if (bareName(p.name).compare(wanted, Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

Parameter* findParameter(std::vector<Parameter>& params, const QString& name) {
    return const_cast<Parameter*>(findParameter(std::as_const(params), name));
}

} // namespace vornel
