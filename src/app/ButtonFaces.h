#pragma once
#include <vector>

namespace orbis {

// The pictures of a tool button: the numbers of its faces for the normal and the focused state.
struct ButtonFaces {
  int id;
  int normal;
  int focused;
};

// Every tool button with its faces, in layout order.
const std::vector<ButtonFaces>& buttonFaces();

}  // namespace orbis
