#include "order_statements.h"

#include "dao.h"
#include "format_value.h"
#include "number_functions.h"
#include "sql_text.h"
#include "text_functions.h"

namespace catalogue {

namespace {

std::string Number(std::int32_t value) { return vb::Trim(vb::Str(vb::Variant(static_cast<int>(value)))); }

}  // namespace

std::int32_t NextKey(dao::Database& db, const std::string& maxQuery) {
    auto rs = db.OpenRecordset(maxQuery, dao::dbOpenSnapshot);
    const vb::Variant highest = rs->Fields(0).Value();
    rs->Close();
    if (highest.IsNull()) return 1;
    return vb::CLng(vb::Variant(static_cast<double>(highest.ToLong()) + 1));
}

std::string CustomerInsert(const NewCustomer& customer) {
    return "INSERT INTO CUSTOMERS (CUSTID,NAME,STREET,CITYSTATEZIP,PHONE) VALUES ('" + Number(customer.key) +
           "'," + SqlQuoted(customer.name) + "," + SqlQuoted(customer.street) + "," +
           SqlQuoted(customer.cityStateZip) + "," + SqlQuoted(customer.phone) + ")";
}

std::string OrderInsert(const NewOrder& order) {
    // The total as the form shows it: rounded to cents, as a currency amount.
    const vb::Currency total = vb::CCur(vb::Variant(vb::Format(vb::Variant(order.total), "0.00")));
    return "INSERT INTO ORDERS (ORDERID,CUSTID,ORDERDATE,CARDTYPE,CARDNUMB,EXPDATE,PRODID,QUANTITY,TOTAL,STATUS) "
           "VALUES (" +
           Number(order.key) + "," + Number(order.customer) + ",'" + order.orderDate + "'," +
           SqlQuoted(order.cardType) + "," + SqlQuoted(order.cardNumber) + "," +
           SqlQuoted(order.expirationDate) + "," + order.product + "," +
           vb::Str(vb::Variant(static_cast<int>(order.quantity))) + "," + vb::Str(vb::Variant(total)) +
           ",'Order Initiated')";
}

}  // namespace catalogue
