#pragma once

#include "core/files/RegistryMapDocument.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"

#include <string>
#include <vector>

namespace vemo {

// One registry map file as read, with the name it is known by (the file, or the entry of an archive:
// "12103-0400-76.xml"), UTF-8.
struct NamedRegistryMap {
    std::string name;
    RegistryMapDocument doc;
};

// Which parcels to take: every parcel the maps draw, or those whose 地番 is listed (a 地番 alone, "2740-1",
// or with its 大字 and 丁目 in front, "安房2740-1"; UTF-8) and, with `withAdjacent`, every parcel that shares
// a boundary point with one of them.
struct RegistryMapChoice {
    std::vector<std::string> chibans;
    bool withAdjacent = false;
};

// A parcel the maps hold, for choosing: the name it takes in the parcel list and what the surveyor
// chooses by.  Texts UTF-8.
struct RegistryMapParcelEntry {
    std::string name;   // as the parcel list will show it
    std::string oaza;   // 大字名 and 丁目名
    std::string chiban; // 地番
    std::string precision;
    double area = 0;    // m², of its ring as the file gives it
    bool drawn = false; // false: 地区外, 別図 or without a shape, never taken
};

// What the maps give the store: point rows and parcels, and what the surveyor must be told.
struct RegistryMapImport {
    std::vector<XyzRow> rows;
    std::vector<Block> blocks;
    std::vector<std::string> notes; // CP932 lines: what was left out, renamed or repaired
    std::string coordinateSystem;   // UTF-8, as the first map names it (公共座標9系, 任意座標系)
    int planeZone = 0;              // 1 .. 19, 0 for local coordinates
    std::string sourceLine;         // CP932: the source the terms of use require to be named
    int generatedNames = 0;         // ring vertices that are neither 筆界点 nor 基準点
};

// A text of the file (UTF-8) as CP932, every character CP932 lacks (rare in 大字名) shown as 〓.
std::string Cp932OrGeta(const std::string& utf8);

// The parcels of the maps in file order, named as the import names them.
std::vector<RegistryMapParcelEntry> RegistryMapParcels(const std::vector<NamedRegistryMap>& maps);

// Takes the chosen parcels and their points.  Points: each 筆界点 under its 点番名 (点種 「筆界点」), each
// 基準点 under its 名称 (点種 its 基準点種別), other ring vertices under "*" and their id ("*P26"); a name
// that is too long, has no CP932 form or is held by another point at other coordinates gets the
// generated name instead, and is listed.  Throws vemo::Error when a chosen 地番 is not in the maps or the
// result exceeds the store's limits; nothing is then taken.
RegistryMapImport ImportRegistryMaps(const std::vector<NamedRegistryMap>& maps, const RegistryMapChoice& choice);

} // namespace vemo
