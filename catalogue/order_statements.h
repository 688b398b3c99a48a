#pragma once
// The SQL texts with which an order, and a new customer, are stored.
#include <cstdint>
#include <string>

namespace dao {
class Database;
}

namespace catalogue {

// The key for a new row: the highest value `maxQuery` ("SELECT MAX(...)")
// finds plus 1, or 1 when the table is empty.
std::int32_t NextKey(dao::Database& db, const std::string& maxQuery);

struct NewCustomer {
    std::int32_t key = 0;
    std::string name, street, cityStateZip, phone;
};

// "INSERT INTO CUSTOMERS (...) VALUES ('key','name',...)": the key between
// quotes, the texts as typed.
std::string CustomerInsert(const NewCustomer& customer);

struct NewOrder {
    std::int32_t key = 0;
    std::int32_t customer = 0;
    std::string orderDate;  // MM/DD/YY
    std::string cardType, cardNumber, expirationDate;
    std::string product;    // the product number as the tree key carries it
    std::int32_t quantity = 0;
    float total = 0;        // as the order form shows it
};

// "INSERT INTO ORDERS (...) VALUES (...)" with the status "Order Initiated".
// The total is written as the currency amount shown, rounded to cents.
std::string OrderInsert(const NewOrder& order);

}  // namespace catalogue
