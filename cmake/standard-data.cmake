# Turns the tables of the game's standard data into C++: cmake -DDATA=... -DOUTPUT=...
# [-DTABLES=...] -P standard-data.cmake. DATA holds section-layout.tsv (where each field lies in
# its section), standard-units.tsv and standard-upgrades.tsv (one row per unit type or upgrade,
# one column per field); every field of the layout that has a column in the section's table is
# written out, its values as a map stores them. start-allowances.tsv gives the meaning of the
# allowance bits, terrain-colors.tsv the colours of the map's picture. TABLES, when given, is checked against standard-units.tsv first (see below).
cmake_minimum_required(VERSION 3.25)

# The rows of a tab-separated file as a list, each row with its tabs. The one semicolon of the
# tables, in the layout's free text, becomes a comma so that it cannot split a row.
function(read_rows file variable)
  file(READ "${file}" text)
  string(REPLACE ";" "," text "${text}")
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE "\n" ";" rows "${text}")
  set(${variable} "${rows}" PARENT_SCOPE)
endfunction()

function(cells row variable)
  string(REPLACE "\t" ";" cells "${row}")
  set(${variable} "${cells}" PARENT_SCOPE)
endfunction()

function(cell row column variable)
  cells("${row}" cells)
  list(GET cells ${column} value)
  set(${variable} "${value}" PARENT_SCOPE)
endfunction()

# With TABLES (analysis/standard_tables.cpp), the seven statistics' standard tables must hold the
# values of standard-units.tsv; a difference fails the build. The unit table there holds one row a
# line, each unit type at its index: the name, then build time, basic attack, piercing damage,
# gold, wood and oil cost (tens) and hit points. Only rows that the report shows must agree: a row
# whose name starts with a mark, and the end row, never reach the report, and the marked rows of
# the unused types 36 and 37 and of the gold mine (92) do differ from the data. Only the names'
# own marks count here: row 34, which the code marks in the two combat tables, agrees in all seven.
if(DEFINED TABLES)
  read_rows("${DATA}/standard-units.tsv" units)
  list(POP_FRONT units header)
  cells("${header}" columns)
  set(statistics build_time basic_damage piercing_damage gold_cost wood_cost oil_cost hit_points)
  set(positions "")
  foreach(statistic IN LISTS statistics)
    list(FIND columns ${statistic} column)
    if(column EQUAL -1)
      message(FATAL_ERROR "standard-units.tsv: no column ${statistic}")
    endif()
    list(APPEND positions ${column})
  endforeach()
  file(STRINGS "${TABLES}" rows REGEX "^ +{\"")
  list(LENGTH rows count)
  if(NOT count EQUAL 101)
    message(FATAL_ERROR "${TABLES}: ${count} rows of the unit table read, not rows 0 to 100")
  endif()
  set(index 0)
  foreach(row IN LISTS rows)
    set(values "")
    if(row MATCHES "^ +{\"(.*)\", ([0-9, ]+)},$")
      set(name "${CMAKE_MATCH_1}")
      string(REPLACE ", " ";" values "${CMAKE_MATCH_2}")
    endif()
    list(LENGTH values fields)
    if(NOT fields EQUAL 7)
      message(FATAL_ERROR "${TABLES}: row ${index} of the unit table is not a name and 7 values")
    endif()
    if(NOT name MATCHES "^(\\\\xFF|X$)")
      list(GET units ${index} unit)
      cells("${unit}" unit)
      list(GET unit 1 unit_name)
      foreach(statistic column value IN ZIP_LISTS statistics positions values)
        list(GET unit ${column} standard)
        if(NOT value EQUAL standard)
          message(FATAL_ERROR "${TABLES}: ${statistic} of unit ${index} (${name}) is ${value}, "
                              "standard-units.tsv gives ${standard} for ${unit_name}")
        endif()
      endforeach()
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
endif()

read_rows("${DATA}/section-layout.tsv" layout)
list(POP_FRONT layout)

# Appends to `code` the arrays of one section and its StandardSection named `variable`.
function(write_section tag table variable)
  read_rows("${DATA}/${table}" rows)
  list(POP_FRONT rows header)
  cells("${header}" columns)
  list(LENGTH rows elements)
  set(arrays "")
  set(fields "")
  foreach(entry IN LISTS layout)
    cells("${entry}" entry)
    list(GET entry 0 section)
    list(GET entry 1 field)
    list(GET entry 2 offset)
    if(NOT section STREQUAL tag)
      continue()
    endif()
    if(field MATCHES "^\\(end")
      set(size ${offset})
      continue()
    endif()
    list(FIND columns "${field}" column)
    if(column EQUAL -1)
      continue()
    endif()
    list(GET entry 3 count)
    list(GET entry 4 bytes)
    set(values "")
    math(EXPR last "${count} - 1")
    foreach(index RANGE ${last})
      list(GET rows ${index} row)
      cell("${row}" ${column} value)
      if(NOT value MATCHES "^[0-9]+$")
        message(FATAL_ERROR "${table}: no ${field} for row ${index}")
      endif()
      if(value GREATER 4294967295)
        message(FATAL_ERROR "${table}: ${field} of row ${index} does not fit 32 bits")
      endif()
      # Little-endian, as a map stores it.
      foreach(byte RANGE 1 ${bytes})
        math(EXPR stored "(${value} >> (8 * (${byte} - 1))) & 255")
        list(APPEND values "${stored}")
      endforeach()
    endforeach()
    list(JOIN values ", " values)
    string(APPEND arrays "constexpr unsigned char k${tag}_${field}[] = {${values}};\n")
    string(APPEND arrays "static_assert(sizeof \"${field}\" - 1 <= kLongestFieldName);\n")
    string(APPEND fields "    {\"${field}\", ${offset}, ${count}, ${bytes}, k${tag}_${field}},\n")
  endforeach()
  set(names "")
  foreach(row IN LISTS rows)
    cell("${row}" 1 name)
    string(REPLACE "_" " " name "${name}")
    list(APPEND names "\"${name}\"")
  endforeach()
  list(JOIN names ", " names)
  set(arrays "${arrays}
static_assert(${size} <= kLargestStandardSection);

constexpr StandardField k${tag}Fields[] = {
${fields}};

constexpr const char* k${tag}Names[] = {${names}};
")
  set(internal "${internal}${arrays}" PARENT_SCOPE)
  set(definitions "${definitions}
const StandardSection ${variable} = {
    \"${tag}\", ${size}, k${tag}Fields, std::size(k${tag}Fields), k${tag}Names, ${elements}};
" PARENT_SCOPE)
endfunction()

set(internal "")
set(definitions "")
write_section(UDTA standard-units.tsv kStandardUnitData)
write_section(UGRD standard-upgrades.tsv kStandardUpgrades)

# start-allowances.tsv: what each bit of the allowance arrays stands for, for a human slot and an
# orc slot, the arrays in the order the code takes them, each at its offset in the section.
read_rows("${DATA}/start-allowances.tsv" rows)
list(POP_FRONT rows)
set(arrays units_allowed spells_known spells_allowed upgrades_allowed)
set(offsets 0 64 128 256)
set(races human orc)
set(columns 2 3)
string(APPEND definitions "\nconst StartAllowance kStartAllowances[] = {\n")
foreach(position RANGE 3)
  list(GET arrays ${position} array)
  list(GET offsets ${position} offset)
  set(human "")
  set(orc "")
  foreach(bit RANGE 31)
    math(EXPR index "${position} * 32 + ${bit}")
    list(GET rows ${index} row)
    string(REPLACE "\t" ";" cells "${row};")
    list(GET cells 0 name)
    list(GET cells 1 number)
    if(NOT name STREQUAL array OR NOT number EQUAL bit)
      message(FATAL_ERROR "start-allowances.tsv: row ${index} is not bit ${bit} of ${array}")
    endif()
    foreach(race column IN ZIP_LISTS races columns)
      list(GET cells ${column} value)
      if(value STREQUAL "")
        set(value kUnusedBit)
      endif()
      list(APPEND ${race} ${value})
    endforeach()
  endforeach()
  list(JOIN human ", " human)
  list(JOIN orc ", " orc)
  string(APPEND definitions "    {\"${array}\", ${offset}, {${human}}, {${orc}}},\n")
endforeach()
string(APPEND definitions "};\n")

# standard-units.tsv again: each unit type's footprint, the two halves of its size, and whether its
# flags make it a building (bit 0x20).
read_rows("${DATA}/standard-units.tsv" rows)
list(POP_FRONT rows header)
cells("${header}" columns)
list(FIND columns size size_column)
list(FIND columns flags flags_column)
string(APPEND definitions "\nconst UnitShape kUnitShapes[] = {\n")
foreach(row IN LISTS rows)
  cell("${row}" ${size_column} size)
  cell("${row}" ${flags_column} flags)
  math(EXPR width "${size} & 65535")
  math(EXPR height "${size} >> 16")
  math(EXPR building "(${flags} >> 5) & 1")
  string(APPEND definitions "    {${width}, ${height}, ${building}},\n")
endforeach()
string(APPEND definitions "};\n")

# terrain-colors.tsv: the colour of each terrain class (rows 1 to 12) in each tileset (columns
# forest, winter, wasteland, swamp); class 0 stands for a tile of no class.
read_rows("${DATA}/terrain-colors.tsv" rows)
list(POP_FRONT rows header)
if(NOT header STREQUAL "class\tname\tforest\twinter\twasteland\tswamp")
  message(FATAL_ERROR "terrain-colors.tsv: not the columns class, name and the four tilesets")
endif()
string(APPEND definitions "\nconst std::uint32_t kTerrainColors[4][13] = {\n")
foreach(tileset RANGE 2 5)
  set(colors 0xff00ff)
  foreach(class RANGE 1 12)
    math(EXPR index "${class} - 1")
    list(GET rows ${index} row)
    cells("${row}" cells)
    list(GET cells 0 number)
    list(GET cells ${tileset} color)
    if(NOT number EQUAL class OR NOT color MATCHES "^[0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f]$")
      message(FATAL_ERROR "terrain-colors.tsv: row ${class} is not class ${class} with six hex digits")
    endif()
    list(APPEND colors 0x${color})
  endforeach()
  list(JOIN colors ", " colors)
  string(APPEND definitions "    {${colors}},\n")
endforeach()
string(APPEND definitions "};\n")

file(WRITE "${OUTPUT}" "// Made at build time from analysis/data by cmake/standard-data.cmake.
#include <iterator>

#include \"standard_data.h\"

namespace {
${internal}
}  // namespace
${definitions}")
