#pragma once
// Every theme generator; the theme table in session/ maps codes to them.
namespace velmora {

class Session;

}  // namespace velmora
