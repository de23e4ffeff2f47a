#pragma once
// Every theme generator; the theme table in session/ maps codes to them.
namespace velmora {

class Session;

// The ThemeCycle slot each generator remembers its previous exercise in.
inline constexpr int PizzaCycleSlot = 5;

// Themes 4 (sum) and 5 (difference) of two fractions; the theme code picks the operation.
void FractionSums(Session& s);
// Theme 14: estimate the percentage of a pizza slice.
void PizzaEstimate(Session& s);
// Theme 21: find the one wrong multiplication on a shopping list.
void ShoppingError(Session& s);

}  // namespace velmora
