// debrief/page_script: the page's own script and style: the charts built with the embedded
// library from the flight's data, their shading, marks, zoom and pan.
#pragma once

#include <string_view>

namespace kalveo::debrief {

[[nodiscard]] std::string_view page_script();
[[nodiscard]] std::string_view page_style();

} // namespace kalveo::debrief
