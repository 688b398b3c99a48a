#pragma once
// The CUSTID values the catalogue gives a meaning of their own.
#include <cstdint>

namespace catalogue {

// The login state's customer while nobody has logged in; never stored.
inline constexpr std::int32_t kNobodyLoggedIn = -1;
// The administrator's CUSTOMERS row: logging in as it opens the
// administration commands.
inline constexpr std::int32_t kAdministratorCustomer = -2;
// The new-customer row of CUSTOMERS: choosing it lets the order form take the
// customer's details and store them as a new row under a new key.
inline constexpr std::int32_t kNewCustomer = -3;

}  // namespace catalogue
