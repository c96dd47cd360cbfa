#include "data/RowStore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vornel {
namespace {

TEST(RowStore, CellsComeBackWithTheirKind) {
    RowStore store(5);
    const QString unicode = QString::fromUtf8("Stefan \u0218tef\u0103nescu \u20AC \U0001F600");
    const QByteArray blob("a\0b\xff", 4);
    store.beginRow();
    store.addNull();
    store.addText(QString(""));
    store.addText(unicode);
    store.addBlob(blob.constData(), static_cast<std::size_t>(blob.size()));
    store.addDouble(-0.0);
    store.endRow();

    EXPECT_TRUE(store.isNull(0, 0));
    EXPECT_FALSE(store.value(0, 0).isValid());
    EXPECT_FALSE(store.isNull(0, 1)); // empty text is not NULL
    EXPECT_EQ(store.value(0, 1).typeId(), QMetaType::QString);
    EXPECT_EQ(store.value(0, 1).toString(), QString());
    EXPECT_EQ(store.value(0, 2).toString(), unicode);
    EXPECT_EQ(store.value(0, 3).toByteArray(), blob);
    EXPECT_EQ(store.value(0, 4).typeId(), QMetaType::Double);
    EXPECT_TRUE(std::signbit(store.value(0, 4).toDouble()));
}

TEST(RowStore, IntegersAndDoublesRoundTripAtTheirLimits) {
    constexpr std::int64_t low = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t high = std::numeric_limits<std::int64_t>::max();
    const std::int64_t ints[] = {
        0, 1, -1, 63, 64, -64, -65, 127, 128, 300, -300, 2147483647LL, -2147483648LL, high, low};
    const double doubles[] = {0.1, -1.5, 1e300, 5e-324, std::numeric_limits<double>::infinity()};
    RowStore store(2);
    for (std::int64_t i : ints) {
        store.beginRow();
        store.addInteger(i);
        store.addDouble(static_cast<double>(i) / 3);
        store.endRow();
    }
    for (double d : doubles)
        store.appendRow({QVariant(d), QVariant(qlonglong(7))});
    std::size_t row = 0;
    for (std::int64_t i : ints) {
        EXPECT_EQ(store.value(row, 0).typeId(), QMetaType::LongLong);
        EXPECT_EQ(store.value(row, 0).toLongLong(), i);
        EXPECT_EQ(store.value(row, 1).toDouble(), static_cast<double>(i) / 3);
        ++row;
    }
    for (double d : doubles)
        EXPECT_EQ(store.value(row++, 0).toDouble(), d);
}

TEST(RowStore, RowsAreReplacedRemovedAndPadded) {
    RowStore store(3);
    store.appendRow({1, QStringLiteral("a"), 1.5});
    store.appendRow({2, QStringLiteral("b"), 2.5});
    store.beginRow();
    store.addInteger(3); // the missing cells read as NULL
    store.endRow();
    EXPECT_TRUE(store.isNull(2, 1));
    EXPECT_TRUE(store.isNull(2, 2));

    store.replaceRow(0, {10, QVariant(), QStringLiteral("long replacement text")});
    EXPECT_TRUE(store.isNull(0, 1));
    EXPECT_EQ(store.value(0, 2).toString() + store.value(1, 1).toString(), "long replacement textb");

    store.removeRow(1);
    ASSERT_EQ(store.rowCount(), 2u);
    EXPECT_EQ(store.value(1, 0).toInt(), 3);
    EXPECT_THROW(store.value(2, 0), std::out_of_range);
    EXPECT_THROW(store.value(0, 3), std::out_of_range);

    store.beginRow();
    store.addNull();
    store.addNull();
    store.addNull();
    EXPECT_THROW(store.addNull(), std::logic_error);
}

TEST(RowStore, CopiesAreIndependentAcrossBlocks) {
    RowStore store(1);
    const QString big(3 << 20, QLatin1Char('x')); // larger than one block
    store.appendRow({QStringLiteral("a")});
    store.appendRow({big});
    store.appendRow({QStringLiteral("c")});
    RowStore copy = store;
    store.replaceRow(0, {QStringLiteral("changed")});
    EXPECT_EQ(copy.value(0, 0).toString(), QStringLiteral("a"));
    EXPECT_EQ(copy.value(1, 0).toString(), big);
    EXPECT_EQ(copy.value(2, 0).toString(), QStringLiteral("c"));
    EXPECT_EQ(store.value(0, 0).toString(), QStringLiteral("changed"));
}

} // namespace
} // namespace vornel
