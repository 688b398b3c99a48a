#pragma once
// The runtime's stock toolbar pictures ("Custom080!", ...), drawn here.
#include <QIcon>
#include <string>

namespace pbvm {

QIcon StockPicture(const std::string& name);

}  // namespace pbvm
