// Extracts the geography of the Solvara maps from Natural Earth's admin-0
// countries at 1:50m (public domain), as the npm package world-atlas holds it:
// every piece of land of every country inside the maps' reach, simplified
// along shared borders, as longitude/latitude rings, each piece named with
// its country and, where it belongs to one, the region's area item.
//
// Usage: node extract_geography.mjs SCRATCH_FOLDER > geography.json
// SCRATCH_FOLDER holds node_modules with world-atlas, topojson-client and
// topojson-simplify (make_maps.sh installs them there). The output is the
// same on every run with the same packages.

import {createRequire} from 'node:module';
import {readFileSync} from 'node:fs';
import path from 'node:path';

const scratch = process.argv[2];
if (!scratch) {
    console.error('usage: node extract_geography.mjs SCRATCH_FOLDER');
    process.exit(2);
}
const require = createRequire(path.join(path.resolve(scratch), 'node_modules', 'x.js'));
const {feature} = require('topojson-client');
const {presimplify, simplify} = require('topojson-simplify');
const atlasFolder = path.dirname(require.resolve('world-atlas/package.json'));
const atlasVersion = require('world-atlas/package.json').version;

// Everything any of the six maps shows, with room to spare: the China map
// reaches 55 degrees north in its corner, the region map 12 south.
const reach = {west: 58, east: 140, south: -16, north: 60};
// Planar triangle area in square degrees below which a point is dropped: a
// few hundredths of a degree, under a pixel on the most detailed map.
const minWeight = 2e-4;
const decimals = 3;

// The program's own country names.
const renamed = {Myanmar: 'Burma'};

const wholeCountryItems = {
    India: 'IN', 'Sri Lanka': 'SR', Nepal: 'NE', Burma: 'BU', Thailand: 'TH',
    Laos: 'IC', Cambodia: 'IC', Vietnam: 'IC', Singapore: 'SI', Brunei: 'BO',
    China: 'CH', 'Hong Kong': 'HK', Taiwan: 'TA', Philippines: 'PH',
};

// Pieces of the countries that span several items, found by a point inside.
const pieceRules = {
    Indonesia: [
        {part: 'Sumatra', item: 'SU', inside: [101.9, -0.8]},
        {part: 'Java', item: 'JA', inside: [110.0, -7.3]},
        {part: 'Madura', item: 'JA', inside: [113.3, -7.05]},
        {part: 'Bali', item: 'BA', inside: [115.2, -8.4]},
        {part: 'Borneo', item: 'BO', inside: [114.0, -1.0]},
    ],
    Malaysia: [
        {part: 'Peninsular Malaysia', item: 'MA', inside: [102.0, 4.0]},
        {part: 'Borneo', item: 'BO', inside: [114.5, 3.0]},
    ],
};

function insideRing(point, ring) {
    const [x, y] = point;
    let inside = false;
    for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
        const [xi, yi] = ring[i];
        const [xj, yj] = ring[j];
        if ((yi > y) !== (yj > y) && x < ((xj - xi) * (y - yi)) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

function clipEdge(ring, keep, cross) {
    const out = [];
    for (let i = 0; i < ring.length; ++i) {
        const a = ring[i];
        const b = ring[(i + 1) % ring.length];
        if (keep(a)) {
            out.push(a);
            if (!keep(b))
                out.push(cross(a, b));
        } else if (keep(b)) {
            out.push(cross(a, b));
        }
    }
    return out;
}

// Sutherland-Hodgman against the reach: pieces that run out of it (Russia,
// Australia) keep only the part that can be seen.
function clipToReach(ring) {
    const atX = (x) => (a, b) => [x, a[1] + ((b[1] - a[1]) * (x - a[0])) / (b[0] - a[0])];
    const atY = (y) => (a, b) => [a[0] + ((b[0] - a[0]) * (y - a[1])) / (b[1] - a[1]), y];
    let out = ring.slice(0, -1);
    out = clipEdge(out, (p) => p[0] >= reach.west, atX(reach.west));
    out = clipEdge(out, (p) => p[0] <= reach.east, atX(reach.east));
    out = clipEdge(out, (p) => p[1] >= reach.south, atY(reach.south));
    out = clipEdge(out, (p) => p[1] <= reach.north, atY(reach.north));
    return out;
}

function flat(ring) {
    const scale = 10 ** decimals;
    const values = [];
    let last = null;
    for (const [x, y] of ring) {
        const rx = Math.round(x * scale) / scale;
        const ry = Math.round(y * scale) / scale;
        if (last && last[0] === rx && last[1] === ry)
            continue;
        values.push(rx, ry);
        last = [rx, ry];
    }
    return values;
}

function classify(country, outer) {
    const rules = pieceRules[country];
    if (!rules)
        return {part: '', item: wholeCountryItems[country] ?? ''};
    const rule = rules.find((r) => insideRing(r.inside, outer));
    return rule ? {part: rule.part, item: rule.item} : {part: '', item: ''};
}

const file = path.join(atlasFolder, 'countries-50m.json');
const topology = simplify(presimplify(JSON.parse(readFileSync(file, 'utf8'))), minWeight);
const countries = feature(topology, topology.objects.countries).features;

const pieces = [];
for (const country of countries) {
    if (!country.geometry)
        continue;
    const name = renamed[country.properties.name] ?? country.properties.name;
    const polygons = country.geometry.type === 'Polygon' ? [country.geometry.coordinates]
                                                         : country.geometry.coordinates;
    for (const polygon of polygons) {
        // Rings that simplification or clipping left without an area go.
        const rings = polygon.map((ring) => flat(clipToReach(ring)));
        if (rings[0].length < 6)
            continue;
        const {part, item} = classify(name, polygon[0]);
        pieces.push({country: name, part, item, rings: rings.filter((ring) => ring.length >= 6)});
    }
}
pieces.sort((a, b) => a.country.localeCompare(b.country, 'en') || a.part.localeCompare(b.part, 'en') ||
                      a.rings[0][0] - b.rings[0][0] || a.rings[0][1] - b.rings[0][1]);

const found = new Set(pieces.map((p) => p.item + ' ' + p.part));
for (const rules of Object.values(pieceRules)) {
    for (const rule of rules) {
        if (!found.has(rule.item + ' ' + rule.part)) {
            console.error(`no piece of land found for ${rule.part}`);
            process.exit(1);
        }
    }
}

const out = {
    source: 'Natural Earth 1:50m Admin 0 - Countries (public domain), from the npm package ' +
        `world-atlas ${atlasVersion} (countries-50m.json)`,
    made_by: 'scripts/maps/extract_geography.mjs',
    simplification: `topojson-simplify, planar triangle area below ${minWeight} square degrees`,
    reach: [reach.west, reach.south, reach.east, reach.north],
    pieces,
};
// One piece a line: diffs of a new extraction stay readable.
const lines = pieces.map((p) => JSON.stringify(p));
const head = Object.entries(out).filter(([key]) => key !== 'pieces')
                 .map(([key, value]) => ` ${JSON.stringify(key)}: ${JSON.stringify(value)}`);
process.stdout.write(`{\n${head.join(',\n')},\n "pieces": [\n${lines.join(',\n')}\n ]\n}\n`);
