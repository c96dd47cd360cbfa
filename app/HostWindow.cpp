#include "HostWindow.h"

#include "HostMenus.h"

#include "data/DbError.h"
#include "entry/ComponentContext.h"
#include "program/LogFile.h"
#include "program/Version.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTime>

namespace vornel::host {

HostWindow::HostWindow(std::shared_ptr<Connection> connection, const QString& databaseText, int company,
                       int user)
    : m_connection(std::move(connection)) {
    setWindowTitle(QStringLiteral("Vornel"));
    auto* central = new QWidget(this);
    auto* form = new QFormLayout(central);
    m_company = new QSpinBox(central);
    m_company->setRange(1, 999999);
    m_company->setValue(company);
    m_user = new QSpinBox(central);
    m_user->setRange(1, 999999);
    m_user->setValue(user);
    m_database = new QLabel(databaseText, central);
    m_database->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_history = new QListWidget(central);
    form->addRow(QStringLiteral("Societate (IDSoc)"), m_company);
    form->addRow(QStringLiteral("Utilizator (IdUsers)"), m_user);
    form->addRow(QStringLiteral("Baza de date"), m_database);
    form->addRow(QStringLiteral("Apeluri"), m_history);
    setCentralWidget(central);
    buildMenus();
    statusBar()->showMessage(QStringLiteral("Alegeti o intrare din meniu"));
    connect(&m_component, &Vornel::Iesire, this, &HostWindow::onIesire);
    resize(560, 360);
}

void HostWindow::buildMenus() {
    for (const MenuGroup& group : menuGroups()) {
        QMenu* menu = menuBar()->addMenu(group.title);
        for (const QString& caption : group.captions)
            menu->addAction(caption, this, [this, caption] { open(caption); });
    }
    QMenu* program = menuBar()->addMenu(QStringLiteral("Program"));
    program->addAction(QStringLiteral("Copie de siguranta..."), this, &HostWindow::backup);
    program->addAction(QStringLiteral("Restaurare..."), this, &HostWindow::restore);
    program->addSeparator();
    program->addAction(QStringLiteral("Despre Vornel"), this, &HostWindow::about);
    program->addSeparator();
    program->addAction(QStringLiteral("Iesire"), this, &QWidget::close);
}

void HostWindow::open(const QString& caption) {
    const QString when = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    m_history->addItem(QStringLiteral("%1  Apel \"%2\" (societate %3, utilizator %4)")
                           .arg(when, caption)
                           .arg(m_company->value())
                           .arg(m_user->value()));
    m_history->scrollToBottom();
    auto& context = ComponentContext::current();
    if (!m_connection) {
        context.Afiseaza(QStringLiteral("Nu este deschisa nicio baza de date."), MessageIcon::Error,
                         MessageButtons::Ok, QStringLiteral("Vornel"));
        return;
    }
    try {
        m_component.Apel(m_connection, caption, m_company->value(), m_user->value());
    } catch (const DbError& e) {
        context.Afiseaza(QStringLiteral("%1\r\n\r\n%2 (%3)").arg(caption, e.description(), e.numberText()),
                         MessageIcon::Error, MessageButtons::Ok, QStringLiteral("Vornel"));
    } catch (const std::exception& e) {
        context.Afiseaza(QStringLiteral("%1\r\n\r\n%2").arg(caption, QString::fromLocal8Bit(e.what())),
                         MessageIcon::Error, MessageButtons::Ok, QStringLiteral("Vornel"));
    }
}

void HostWindow::about() {
    const QString text =
        QStringLiteral(
            "Vornel %1\r\nDatele de baza ale programului de contabilitate, gestiune si salarii.\r\n\r\n"
            "Baza de date: %2\r\nJurnal: %3\r\nQt %4")
            .arg(QLatin1String(kVersion), m_database->text(),
                 QDir::toNativeSeparators(LogFile::defaultFolder()), QLatin1String(qVersion()));
    ComponentContext::current().Afiseaza(text, MessageIcon::Information, MessageButtons::Ok,
                                         QStringLiteral("Despre Vornel"));
}

void HostWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}

void HostWindow::onIesire() {
    const QString text = QStringLiteral("Iesire: componenta este libera (%1)")
                             .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    statusBar()->showMessage(text);
    m_history->addItem(text);
    m_history->scrollToBottom();
}

} // namespace vornel::host
