// The history window over the audit trail that saves write.
#include "support/TestSupport.h"

#include "controls/FlexGrid.h"
#include "data/ChangeSet.h"
#include "history/IstoricModificari.h"

namespace vornel::test {
namespace {

class HistoryWindow : public DemoCompanyTest {
protected:
    void TearDown() override {
        if (auto* w = ComponentContext::current().loaded<IstoricModificari>()) w->unload();
        DemoCompanyTest::TearDown();
    }

    void save(qint32 user, RowChange change) {
        auto& ctx = ComponentContext::current();
        ChangeSet(*ctx.connection, {user, 1, QStringLiteral("Rate TVA")}).add(std::move(change)).apply();
    }
};

TEST_F(HistoryWindow, ShowsEachChangedFieldOfTheRecordNewestFirstWithWhoAndWhen) {
    const RowKey tva7{QStringLiteral("TVA"), {{QStringLiteral("TVA"), 7}}};
    const RowKey tva11{QStringLiteral("TVA"), {{QStringLiteral("TVA"), 11}}};
    save(1, RowChange::adding(tva7, QStringLiteral("INSERT INTO TVA (TVA, DenumireTVA, [Cont TVA colectat]) "
                                                   "VALUES (7, 'Cota 7%', '4427')")));
    save(2, RowChange::modifying(tva7, QStringLiteral("UPDATE TVA SET DenumireTVA='Cota 7 la suta', "
                                                      "[Cont TVA colectat]=NULL WHERE TVA=7")));
    save(2, RowChange::modifying(tva11, QStringLiteral("UPDATE TVA SET DenumireTVA='Alta' WHERE TVA=11")));
    run(QStringLiteral("UPDATE AdmTivra.dbo.Utilizatori SET Nume = 'Ana Pop' WHERE IdUser = 2"));

    showHistory(QStringLiteral("Rate TVA"), QStringLiteral("[TVA]"), QStringLiteral("7"));
    auto* window = ComponentContext::current().loaded<IstoricModificari>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Istoric Rate TVA - 7"));
    const FlexGrid* grid = window->grid();
    const auto row = [&](int r) {
        QStringList cells;
        for (int c = 1; c < grid->Cols(); ++c)
            cells << grid->TextMatrix(r, c);
        return cells.join(QLatin1Char('|'));
    };
    ASSERT_EQ(grid->Rows(), 1 + 2 + 4); // the header, the modification's two fields, the addition's four
    EXPECT_EQ(row(0), QStringLiteral("Utilizator|Operatie|Camp|Valoare veche|Valoare noua"));
    EXPECT_EQ(row(1), QStringLiteral("Ana Pop|modificare|DenumireTVA|Cota 7%|Cota 7 la suta"));
    EXPECT_EQ(row(2), QStringLiteral("Ana Pop|modificare|Cont TVA colectat|4427|"));
    EXPECT_EQ(row(3), QStringLiteral("Administrator|adaugare|TVA||7"));
    EXPECT_EQ(row(6), QStringLiteral("Administrator|adaugare|Cont TVA colectat||4427"));

    // The moment is stored in UTC and shown in local time.
    QDateTime stored = QDateTime::fromString(scalar(QStringLiteral("SELECT MAX(Moment) FROM JurnalModificari "
                                                                   "WHERE Cheie = '7'")),
                                             QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    stored.setTimeSpec(Qt::UTC);
    EXPECT_EQ(grid->TextMatrix(1, 0), stored.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    EXPECT_TRUE(shown().empty());
}

} // namespace
} // namespace vornel::test
