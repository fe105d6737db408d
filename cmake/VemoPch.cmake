# Precompiled headers.  Most of a cold build went into parsing the same Qt, Google Test and standard
# headers again in every source file.  Each kind of target (core, core test, window layer, window test)
# shares one precompiled header: a small carrier library compiles it once, and every target of that
# kind reuses it.  The core's kind holds only standard headers, so no Qt reaches the core.
#
# GCC checks that a precompiled header fits the compilation (macros, -fPIC, sanitizers); where it does
# not, -Winvalid-pch says so and the plain headers are read instead, so a mismatch costs time, never
# correctness.  Other compilers (the clang fuzz build) build without them.
#
# Because these headers reach every file, a missing #include can go unnoticed: configure with
# -DVEMO_PCH=OFF to check a change on its own includes.

if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(_vemo_pch_default ON)
else()
    set(_vemo_pch_default OFF)
endif()
option(VEMO_PCH "Precompile the Qt, Google Test and standard headers (GCC)" ${_vemo_pch_default})

set(VEMO_PCH_STD
    <algorithm> <array> <cmath> <cstdint> <cstdio> <cstdlib> <filesystem> <functional> <map> <memory>
    <optional> <set> <stdexcept> <string> <string_view> <unordered_map> <utility> <vector>)
set(VEMO_PCH_TEST <gtest/gtest.h> <gmock/gmock.h> <random> <numbers> <sstream>)
# The Qt headers that most window files include (qtest.h is left out: it depends on which Qt
# libraries a test links).
set(VEMO_PCH_QT
    <QAction> <QApplication> <QButtonGroup> <QCheckBox> <QComboBox> <QDialog> <QDialogButtonBox> <QDir>
    <QEvent> <QFile> <QFileInfo> <QFontMetrics> <QFormLayout> <QGridLayout> <QGroupBox> <QGuiApplication>
    <QHBoxLayout> <QHeaderView> <QImage> <QKeyEvent> <QKeySequence> <QLabel> <QLineEdit> <QListWidget>
    <QMenu> <QObject> <QPainter> <QPlainTextEdit> <QPointer> <QPrinter> <QPushButton> <QRadioButton>
    <QSpinBox> <QSplitter> <QStatusBar> <QString> <QStringList> <QTableWidget> <QTimer> <QToolButton>
    <QTreeWidget> <QTreeWidgetItem> <QUrl> <QVBoxLayout> <QWidget>)

# With <string> precompiled, GCC 12 inlines std::string's operator+ on a temporary differently and
# then reports the copy into the temporary (`std::string(8, ' ') + "..."`, any text longer than the
# short-string buffer) as out of bounds, an overflow, an over-read or an overlap: false warnings that
# the same file without the precompiled header does not get.  Builds without them keep these checks.
set(VEMO_PCH_WARNING_OPTIONS -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread -Wno-restrict)

# The carrier of one kind: an object library of an empty file that links what gives the kind's targets
# their compile flags, so that its precompiled header fits them.
function(_vemo_pch_carrier kind)
    set(carrier vemo_pch_${kind})
    if(TARGET ${carrier})
        return()
    endif()
    set(source ${PROJECT_BINARY_DIR}/${carrier}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// Carries the precompiled header of the ${kind} targets.\n")
    add_library(${carrier} OBJECT ${source})
    set_target_properties(${carrier} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    set(headers ${VEMO_PCH_STD})
    if(kind MATCHES "test")
        list(APPEND headers ${VEMO_PCH_TEST})
        if(NOT TARGET GTest::gtest)
            find_package(GTest REQUIRED) # found in tests/ for the tests; the carrier lives up here
        endif()
        target_link_libraries(${carrier} PRIVATE GTest::gtest GTest::gmock)
    endif()
    if(kind MATCHES "^ui")
        list(APPEND headers ${VEMO_PCH_QT})
        target_link_libraries(${carrier} PRIVATE Qt6::Widgets Qt6::PrintSupport)
    endif()
    target_precompile_headers(${carrier} PRIVATE ${headers})
endfunction()

# Whether <target> links <library>, directly or through the libraries it links.
function(_vemo_links target library result)
    set(queue ${target})
    set(seen)
    set(found FALSE)
    while(queue)
        list(POP_FRONT queue item)
        if(item STREQUAL library)
            set(found TRUE)
            break()
        endif()
        if(NOT TARGET ${item} OR item IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${item})
        get_target_property(type ${item} TYPE)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(libs ${item} LINK_LIBRARIES)
            if(libs)
                list(APPEND queue ${libs})
            endif()
        endif()
        get_target_property(libs ${item} INTERFACE_LINK_LIBRARIES)
        if(libs)
            list(APPEND queue ${libs})
        endif()
    endwhile()
    set(${result} ${found} PARENT_SCOPE)
endfunction()

# Gives every compiled target below <directory> the precompiled header of its kind.  Called once at the
# end of the top-level CMakeLists, when every target and its libraries are known.
function(vemo_precompile_headers directory)
    if(NOT VEMO_PCH)
        return()
    endif()
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$"
           OR target MATCHES "^vemo_pch_")
            continue()
        endif()
        _vemo_links(${target} Qt6::Widgets qt)
        _vemo_links(${target} GTest::gtest test)
        if(qt)
            set(kind ui)
        else()
            set(kind core)
        endif()
        if(test)
            string(APPEND kind _test)
        endif()
        _vemo_pch_carrier(${kind})
        target_precompile_headers(${target} REUSE_FROM vemo_pch_${kind})
        target_compile_options(${target} PRIVATE ${VEMO_PCH_WARNING_OPTIONS})
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        vemo_precompile_headers(${subdirectory})
    endforeach()
endfunction()
