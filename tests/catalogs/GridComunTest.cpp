// The list window's delete refusal that no button reaches: warehouses are never deleted.
#include "support/TestSupport.h"

#include "catalogs/GridComun.h"

namespace vornel::test {

TEST_F(DemoCompanyTest, WarehousesAreNeverDeleted) {
    auto& list = ComponentContext::current().instance<GridComun>();
    list.Deschide(QStringLiteral("Depozite"));
    list.StergeInregistrare();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Nu se pot sterge depozite ! Se accepta doar modificari! ");
    EXPECT_FALSE(ran("DELETE"));
}

} // namespace vornel::test
