#pragma once

namespace invoicing {

// The price of a class C or Cgw log: the B price less the class's deduction in percent. The
// base price table shows it as it stands; the working prices round it to cents.
inline double priceAfterDeduction(double priceB, double deductionPercent)
{
    return priceB * (1 - deductionPercent / 100);
}

} // namespace invoicing
