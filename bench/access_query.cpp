// The generated query: SELECT blocks with joins, bracketed names, #dates#, IIf and IN lists, a CR LF before
// FROM and WHERE, joined by UNION ALL.
#include "bench/access_query.h"

namespace brelvix::bench {
namespace {

std::u16string number(std::size_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

std::u16string selectBlock(std::size_t block) {
    const auto n = number(block);
    const auto month = number(block % 12 + 1);
    return u"SELECT [Orders].[OrderID], [Customers].[CompanyName] AS [Customer " + n +
           u"], IIf([Orders].[Freight]>" + n +
           u",\"High\",\"Low\") AS FreightBand, [Order Details].[Quantity]" +
           u"\r\nFROM ([Orders] INNER JOIN [Customers] ON [Orders].[CustomerID] = "
           u"[Customers].[CustomerID]) " +
           u"LEFT JOIN [Order Details] ON [Orders].[OrderID] = [Order Details].[OrderID]" +
           u"\r\nWHERE [Orders].[OrderDate] Between #" + month + u"/1/2024# And #" + month +
           u"/28/2024# AND [Customers].[Country] IN ('Japan','Germany','France','Brazil') " +
           u"OR [Orders].[ShipVia] = " + n + u" ";
}

} // namespace

std::u16string accessStyleQuery(std::size_t size) {
    std::u16string query;
    query.reserve(size + 1024);
    for (std::size_t block = 0; query.size() < size; ++block) {
        if (block > 0) {
            query += u"\r\nUNION ALL ";
        }
        query += selectBlock(block);
    }
    query.resize(size - 1);
    query += u';';
    return query;
}

} // namespace brelvix::bench
