#pragma once
// Points inside each item of the region's select-area map (574 x 472), in its
// pixels, indexed like the region area's items: one point per separate piece
// of land. Some points of the items that cannot be selected lie right of the
// map or in the sea; the point of index 13 lies on an island of index 19.

#include <QPoint>
#include <array>
#include <vector>

namespace pemmaro {

inline const std::array<std::vector<QPoint>, 20> region_seed_points = {{
    {{78, 180}},
    {{108, 284}},
    {{142, 79}},
    {{257, 159}},
    {{302, 202}},
    {{354, 228}},
    {{315, 315}},
    {{335, 342}},
    {{441, 337}},
    {{314, 364}},
    {{402, 429}, {423, 425}},
    {{443, 438}},
    {{533, 377}, {561, 385}, {593, 389}},
    {{547, 278}},
    {{639, 275}},
    {{649, 319}, {622, 328}, {653, 357}},
    {{230, 50}, {387, 170}},
    {{431, 135}},
    {{494, 126}},
    {{497, 201},
     {499, 228},
     {523, 236},
     {513, 246},
     {521, 253},
     {527, 255},
     {530, 260},
     {537, 254},
     {540, 240},
     {539, 280},
     {482, 256}},
}};

} // namespace pemmaro
