#include "AirportTableSample.h"

namespace kt {

const std::string& AirportTableSample() {
    static const std::string table =
        "\"id\",\"airport_ref\",\"airport_ident\",\"type\",\"description\",\"frequency_mhz\"\n"
        "52764,2212,\"EDDF\",\"ATIS\",\"Frankfurt ATIS (ARR)\",118.03\n"
        "334375,2212,\"EDDF\",\"ATIS\",\"Frankfurt ATIS (DEP)\",118.73\n"
        "52767,2212,\"EDDF\",\"GND\",\"Frankfurt Ground / Rollkontrolle\",121.805\n"
        "52769,2212,\"EDDF\",\"TWR\",\"FRANKFURT TOWER / TURM (SOUTH)\",119.905\n"
        "566985,2212,\"EDDF\",\"TWR\",\"Frankfurt Tower / TURM (RWY 18)\",124.855\n"
        "328967,2212,\"EDDF\",\"TWR\",\"FRANKFURT TOWER / TURM (NORTH)\",136.5\n"
        "566983,2212,\"EDDF\",\"VOLMET\",\"Frankfurt 1 VOLMET\",127.605\n"
        "569373,43128,\"DE-0006\",\"AFIS\",\"Langen Information\",125.8\n"
        "58315,2473,\"EGSC\",\"ATIS\",\"Cambridge Information\",134.6\n"
        "1,9,\"KXYZ\",\"ATIS\",\"VOR ATIS\",113.75\n"
        "2,9,\"KXYZ\",\"UNIC\",\"Odd\",123.07\n"
        "3,9,\"KXYZ\",\"CTAF\",\"Odd too\",121.902\n";
    return table;
}

} // namespace kt
