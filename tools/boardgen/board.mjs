// QelMap's default board: the one human-editable description from which
// tools/boardgen/generate.mjs makes every file of data/.
//
// Geography: Natural Earth 1:50m countries (public domain) as shipped by the npm
// package world-atlas. Countries are named as in that data set ("United States of America").
//
// Conventions used below
//   box:  [west, south, east, north] in degrees; west > east means the box wraps across 180°.
//   poly: [[lon, lat], ...], a closed polygon in degrees (tested on the pixel centre).
//   A land sector is made of parts {c: country or [countries], box?, poly?}. Every land pixel
//   takes the sector of the first part that matches it: first all parts that have a box or
//   poly (in the order of this file), then all plain country parts.
//   A sea zone is made of seed points; every water pixel belongs to the zone whose seed is
//   nearest through water (8-neighbour flood, wrapping across the left and right edges).
//   stamps: small islands (or too-thin land) drawn as rounded blocks of w x h pixels around a
//   point, before the sectors are formed; they belong to the sector that lists them.
//   units: the start position in that sector: [owner, kind, count]; owner defaults to the
//   sector's start owner. Kinds: flag inf arm ftr bom trn sub ac bb ic aa.
//   hot: optional [lon, lat] near which the ICP box (hot spot) should go; label likewise.

export const owners = ['neutral', 'Russia', 'Germany', 'United Kingdom', 'Japan', 'United States'];
const N = 0, R = 1, G = 2, UK = 3, J = 4, US = 5;

// ---- Projection -------------------------------------------------------------------------
// Miller, central meridian 11°E, 75°N..55°S in 913 rows. Longitude is warped: the pixel
// width of a degree is base + sum of bumps b * exp(-((lon - centre) / s)^4), the base
// chosen so that 360° fill the 1587 columns.
export const projection = {
  width: 1587,
  height: 913,
  centralMeridian: 11,
  north: 75,
  south: -55,
  bumps: [
    { centre: 15, amount: 4.0, spread: 30 },   // Europe, the Mediterranean, the Middle East
    { centre: 130, amount: 2.4, spread: 20 },  // East Asia, Japan, the Philippines
  ],
};

// ---- Land sectors ------------------------------------------------------------------------
export const land = [
  // Europe
  { name: 'United Kingdom', owner: UK, icps: 8,
    parts: [{ c: ['United Kingdom', 'Isle of Man', 'Jersey', 'Guernsey', 'Faeroe Is.'] }],
    units: [['inf', 3], ['arm', 1], ['ftr', 2], ['bom', 1], ['ic', 1]] },
  { name: 'Ireland', owner: N, icps: 1, parts: [{ c: 'Ireland' }], stamps: [{ at: [-8.0, 53.2], w: 22, h: 18 }] },
  { name: 'Iceland', owner: US, icps: 0, parts: [{ c: 'Iceland' }], units: [['inf', 1]] },
  { name: 'Western Europe', owner: G, icps: 6,
    parts: [{ c: ['France', 'Belgium', 'Netherlands', 'Luxembourg', 'Monaco'] }],
    units: [['inf', 4], ['arm', 2], ['ftr', 2], ['ic', 1]] },
  { name: 'Germany', owner: G, icps: 10,
    parts: [{ c: 'Russia', box: [19, 54, 23, 55.5] },
      { c: ['Germany', 'Austria', 'Czechia', 'Denmark', 'Liechtenstein'] }],
    units: [['inf', 8], ['arm', 4], ['ftr', 3], ['bom', 2], ['ic', 1], ['aa', 1]] },
  { name: 'Italy', owner: G, icps: 4, parts: [{ c: ['Italy', 'San Marino', 'Vatican'] }],
    units: [['inf', 3], ['arm', 1], ['ftr', 1], ['ic', 1]] },
  { name: 'Spain and Portugal', owner: N, icps: 2, parts: [{ c: ['Spain', 'Portugal', 'Andorra'] }] },
  { name: 'Norway', owner: G, icps: 2, parts: [{ c: 'Norway' }], units: [['inf', 2], ['ftr', 1]] },
  { name: 'Sweden', owner: N, icps: 2, parts: [{ c: 'Sweden' }] },
  { name: 'Finland', owner: G, icps: 1, parts: [{ c: ['Finland', 'Åland'] }], units: [['inf', 3]] },
  { name: 'Poland', owner: G, icps: 2, parts: [{ c: 'Poland' }], units: [['inf', 2], ['arm', 1]] },
  { name: 'Baltic States', owner: G, icps: 1, parts: [{ c: ['Estonia', 'Latvia', 'Lithuania'] }],
    units: [['inf', 2]] },
  { name: 'Belorussia', owner: G, icps: 1,
    parts: [{ c: 'Russia', box: [26, 52, 33, 58.5] }, { c: 'Belarus' }],
    units: [['inf', 4], ['arm', 2], ['ftr', 1]] },
  { name: 'Ukraine', owner: G, icps: 3,
    parts: [{ c: 'Russia', box: [32, 44, 36.7, 46.3] }, { c: 'Ukraine' }],
    units: [['inf', 5], ['arm', 3], ['ftr', 2]] },
  { name: 'Danube States', owner: G, icps: 2, parts: [{ c: ['Hungary', 'Romania', 'Slovakia', 'Moldova'] }],
    units: [['inf', 2], ['arm', 1]] },
  { name: 'Balkans', owner: G, icps: 2,
    parts: [{ c: ['Serbia', 'Croatia', 'Bosnia and Herz.', 'Slovenia', 'Montenegro', 'Kosovo',
      'Macedonia', 'Albania', 'Greece', 'Bulgaria'] }],
    units: [['inf', 2]] },
  { name: 'Turkey', owner: N, icps: 2, parts: [{ c: 'Turkey' }] },

  // The Soviet Union
  { name: 'Karelia', owner: R, icps: 2, parts: [{ c: 'Russia', box: [26, 58.5, 42, 72] }],
    units: [['inf', 4], ['arm', 1]] },
  { name: 'Archangel', owner: R, icps: 1, parts: [{ c: 'Russia', box: [42, 58.5, 66, 82] }],
    units: [['inf', 2]] },
  { name: 'Moscow', owner: R, icps: 8, parts: [{ c: 'Russia', box: [33, 47.5, 44, 58.5] }],
    units: [['inf', 8], ['arm', 3], ['ftr', 2], ['ic', 1], ['aa', 1]] },
  { name: 'Volga', owner: R, icps: 3, parts: [{ c: 'Russia', box: [44, 47.5, 60, 58.5] },
    { c: 'Russia', box: [40, 46.5, 48, 50] }],
    units: [['inf', 3], ['arm', 1], ['ic', 1]] },
  { name: 'Caucasus', owner: R, icps: 4,
    parts: [{ c: 'Russia', box: [36, 40, 50, 47.5] }, { c: ['Georgia', 'Armenia', 'Azerbaijan'] }],
    units: [['inf', 4], ['arm', 2], ['ftr', 1], ['ic', 1]] },
  { name: 'Kazakhstan', owner: R, icps: 2,
    parts: [{ c: ['Kazakhstan', 'Uzbekistan', 'Turkmenistan', 'Kyrgyzstan', 'Tajikistan'] }],
    units: [['inf', 2]] },
  { name: 'Novosibirsk', owner: R, icps: 2, parts: [{ c: 'Russia', box: [50, 40, 90, 82] }],
    units: [['inf', 2], ['ic', 1]] },
  { name: 'Yakutsk', owner: R, icps: 1, parts: [{ c: 'Russia', box: [90, 56, 140, 82] }],
    units: [['inf', 1]] },
  { name: 'Buryatia', owner: R, icps: 1, parts: [{ c: 'Russia', box: [90, 40, 121, 56] }],
    units: [['inf', 2]] },
  { name: 'Soviet Far East', owner: R, icps: 2, parts: [{ c: 'Russia', box: [121, 40, -160, 82] }],
    units: [['inf', 3]] },

  // The Middle East
  { name: 'Middle East', owner: UK, icps: 1,
    parts: [{ c: ['Iraq', 'Syria', 'Lebanon', 'Israel', 'Palestine', 'Jordan', 'Cyprus', 'N. Cyprus', 'Kuwait'] }],
    units: [['inf', 1]] },
  { name: 'Persia', owner: UK, icps: 1, parts: [{ c: 'Iran' }], units: [['inf', 1]] },
  { name: 'Saudi Arabia', owner: N, icps: 1,
    parts: [{ c: ['Saudi Arabia', 'Yemen', 'Oman', 'United Arab Emirates', 'Qatar', 'Bahrain'] }] },
  { name: 'Afghanistan', owner: N, icps: 1, parts: [{ c: 'Afghanistan' }] },

  // Africa
  { name: 'Egypt', owner: UK, icps: 2, parts: [{ c: 'Egypt' }],
    units: [['inf', 3], ['arm', 2], ['ftr', 1]] },
  { name: 'Libya', owner: G, icps: 1, parts: [{ c: 'Libya' }],
    units: [['inf', 2], ['arm', 2], ['ftr', 1]] },
  { name: 'French North Africa', owner: G, icps: 1,
    parts: [{ c: ['Morocco', 'Algeria', 'Tunisia', 'W. Sahara'] }], units: [['inf', 1]] },
  { name: 'French West Africa', owner: N, icps: 1,
    parts: [{ c: ['Senegal', 'Mauritania', 'Mali', 'Guinea', "Côte d'Ivoire", 'Burkina Faso', 'Niger',
      'Benin', 'Togo', 'Guinea-Bissau', 'Gambia', 'Sierra Leone', 'Liberia'] }] },
  { name: 'British West Africa', owner: UK, icps: 1, parts: [{ c: ['Ghana', 'Nigeria'] }],
    units: [['inf', 1]] },
  { name: 'Equatorial Africa', owner: UK, icps: 1,
    parts: [{ c: ['Chad', 'Central African Rep.', 'Cameroon', 'Congo', 'Gabon', 'Eq. Guinea',
      'Dem. Rep. Congo', 'Rwanda', 'Burundi'] }] },
  { name: 'Anglo-Egyptian Sudan', owner: UK, icps: 1, parts: [{ c: ['Sudan', 'S. Sudan'] }] },
  { name: 'Italian East Africa', owner: UK, icps: 1,
    parts: [{ c: ['Ethiopia', 'Eritrea', 'Somalia', 'Somaliland', 'Djibouti'] }], units: [['inf', 1]] },
  { name: 'British East Africa', owner: UK, icps: 1,
    parts: [{ c: ['Kenya', 'Uganda', 'Tanzania', 'Zambia', 'Malawi', 'Zimbabwe'] }], units: [['inf', 1]] },
  { name: 'Angola', owner: N, icps: 1, parts: [{ c: 'Angola' }] },
  { name: 'Mozambique', owner: N, icps: 1, parts: [{ c: 'Mozambique' }] },
  { name: 'South Africa', owner: UK, icps: 2,
    parts: [{ c: ['South Africa', 'Namibia', 'Botswana', 'Lesotho', 'eSwatini'] }],
    units: [['inf', 1], ['ic', 1]] },
  { name: 'Madagascar', owner: UK, icps: 1,
    parts: [{ c: 'France', box: [40, -26, 60, -10] }, { c: ['Madagascar', 'Comoros', 'Mauritius'] }] },

  // Asia
  { name: 'India', owner: UK, icps: 3,
    parts: [{ c: ['India', 'Pakistan', 'Bangladesh', 'Nepal', 'Bhutan', 'Sri Lanka', 'Siachen Glacier'] }],
    units: [['inf', 4], ['ftr', 1], ['ic', 1], ['aa', 1]] },
  { name: 'Burma', owner: UK, icps: 1, parts: [{ c: 'Myanmar' }], units: [['inf', 2]] },
  { name: 'Indochina', owner: J, icps: 2, parts: [{ c: ['Vietnam', 'Laos', 'Cambodia', 'Thailand'] }],
    units: [['inf', 2], ['ftr', 1]] },
  { name: 'Malaya', owner: J, icps: 1, parts: [{ c: 'Malaysia', box: [99, 0, 105, 7.5] }, { c: 'Singapore' }],
    stamps: [{ at: [102.2, 3.8], w: 24, h: 24 }],
    units: [['inf', 2]] },
  { name: 'East Indies', owner: J, icps: 3,
    parts: [{ c: ['Indonesia', 'Malaysia', 'Brunei', 'Timor-Leste'] }],
    units: [['inf', 2]] },
  { name: 'Philippines', owner: J, icps: 1, parts: [{ c: 'Philippines' }],
    stamps: [{ at: [121.1, 16.4], w: 22, h: 18 }], units: [['inf', 2]] },
  { name: 'New Guinea', owner: UK, icps: 1, parts: [{ c: 'Indonesia', box: [130.9, -11, 142, 0] },
    { c: 'Papua New Guinea' }], units: [['inf', 1]] },
  { name: 'Occupied China', owner: J, icps: 2,
    parts: [{ c: 'China', box: [108, 17, 112, 20.5] }, { c: 'China', box: [110.5, 20, 123, 40.5] },
      { c: ['Hong Kong', 'Macao'] }],
    units: [['inf', 4], ['arm', 1], ['ftr', 1]] },
  { name: 'Manchuria', owner: J, icps: 3,
    parts: [{ c: 'China', box: [118, 40.5, 136, 54] }, { c: 'China', box: [120.5, 38.5, 126, 41] },
      { c: ['North Korea', 'South Korea'] }],
    units: [['inf', 4], ['arm', 1], ['ftr', 1]] },
  { name: 'Japan', owner: J, icps: 8, parts: [{ c: ['Japan', 'Taiwan'] }],
    stamps: [{ at: [139.3, 36.4], w: 24, h: 19 }],
    units: [['inf', 6], ['arm', 2], ['ftr', 3], ['bom', 1], ['ic', 1], ['aa', 1]] },
  { name: 'Mongolia', owner: N, icps: 1, parts: [{ c: 'China', box: [96, 41, 118, 50] }, { c: 'Mongolia' }] },
  { name: 'Free China', owner: US, icps: 2, parts: [{ c: 'China' }], units: [['inf', 4]] },

  // Oceania and the Pacific
  { name: 'Western Australia', owner: UK, icps: 1, parts: [{ c: ['Australia'], box: [110, -40, 129, -10] }],
    units: [['inf', 1]] },
  { name: 'Eastern Australia', owner: UK, icps: 2, parts: [{ c: ['Australia'] }],
    units: [['inf', 2], ['ftr', 1], ['ic', 1]] },
  { name: 'New Zealand', owner: UK, icps: 1, parts: [{ c: 'New Zealand' }],
    stamps: [{ at: [175.6, -38.9], w: 22, h: 18 }], units: [['inf', 1]] },
  { name: 'Hawaii', owner: US, icps: 1,
    parts: [{ c: 'United States of America', box: [-162, 18, -154, 23] }],
    stamps: [{ at: [-157.4, 20.8], w: 36, h: 24 }],
    units: [['inf', 1], ['ftr', 1]] },
  { name: 'Midway', owner: US, icps: 0, parts: [], stamps: [{ at: [-177.4, 28.2], w: 28, h: 22 }],
    units: [['inf', 1]] },
  { name: 'Wake Island', owner: J, icps: 0, parts: [], stamps: [{ at: [166.6, 19.3], w: 28, h: 22 }],
    units: [['inf', 1]] },
  { name: 'Caroline Islands', owner: J, icps: 0,
    parts: [{ c: ['Micronesia', 'Palau', 'N. Mariana Is.', 'Guam', 'Marshall Is.'] }],
    stamps: [{ at: [151.8, 7.4], w: 28, h: 22 }], units: [['inf', 1]] },
  { name: 'Solomon Islands', owner: J, icps: 0, parts: [{ c: 'Papua New Guinea', box: [154, -7, 156.5, -4.5] }, { c: 'Solomon Is.' }],
    stamps: [{ at: [159.8, -8.8], w: 28, h: 22 }], units: [['inf', 1]] },

  // The Americas
  { name: 'Alaska', owner: US, icps: 2,
    parts: [{ c: 'United States of America', box: [-180, 50, -129, 75] },
      { c: 'United States of America', box: [165, 50, 180, 57] }],
    units: [['inf', 1]] },
  { name: 'Western Canada', owner: UK, icps: 1, parts: [{ c: 'Canada', box: [-141, 40, -98, 85] }],
    units: [['inf', 1]] },
  { name: 'Eastern Canada', owner: UK, icps: 3, parts: [{ c: ['Canada', 'St. Pierre and Miquelon'] }],
    units: [['inf', 1], ['ic', 1]] },
  { name: 'Western United States', owner: US, icps: 10,
    parts: [{ c: 'United States of America', box: [-125, 24, -104, 50] }],
    units: [['inf', 2], ['ftr', 1], ['ic', 1]] },
  { name: 'Central United States', owner: US, icps: 6,
    parts: [{ c: 'United States of America', box: [-104, 24, -90, 50] }],
    units: [['inf', 2], ['arm', 1], ['ic', 1]] },
  { name: 'Eastern United States', owner: US, icps: 12, parts: [{ c: 'United States of America' }],
    units: [['inf', 2], ['arm', 1], ['ftr', 1], ['bom', 1], ['ic', 1], ['aa', 1]] },
  { name: 'Mexico', owner: N, icps: 2, parts: [{ c: 'Mexico' }] },
  { name: 'Central America', owner: US, icps: 1,
    parts: [{ c: ['Guatemala', 'Belize', 'Honduras', 'El Salvador', 'Nicaragua', 'Costa Rica', 'Panama'] }],
    units: [['inf', 1]] },
  { name: 'West Indies', owner: US, icps: 1,
    parts: [{ c: ['Cuba', 'Haiti', 'Dominican Rep.', 'Jamaica', 'Puerto Rico', 'Bahamas', 'Trinidad and Tobago',
      'U.S. Virgin Is.', 'British Virgin Is.', 'Turks and Caicos Is.', 'Cayman Is.', 'Antigua and Barb.',
      'Dominica', 'Saint Lucia', 'St. Vin. and Gren.', 'Grenada', 'Barbados', 'St. Kitts and Nevis',
      'Aruba', 'Curaçao'] }],
    stamps: [{ at: [-78.5, 21.8], w: 28, h: 20 }] },
  { name: 'Colombia and Venezuela', owner: N, icps: 2,
    parts: [{ c: 'France', box: [-56, 1, -50, 7] }, { c: ['Colombia', 'Venezuela', 'Ecuador', 'Guyana', 'Suriname'] }] },
  { name: 'Peru', owner: N, icps: 1, parts: [{ c: ['Peru', 'Bolivia'] }] },
  { name: 'Brazil', owner: N, icps: 3, parts: [{ c: 'Brazil' }] },
  { name: 'Argentina and Chile', owner: N, icps: 2,
    parts: [{ c: ['Argentina', 'Chile', 'Uruguay', 'Paraguay'] }] },
];

// ---- Impassable areas (128..130): land where no piece may stand ----------------------------
export const impassable = [
  { name: 'Sahara Desert',
    parts: [{ c: ['Algeria', 'Libya', 'Egypt', 'Mali', 'Niger', 'Chad', 'Mauritania', 'W. Sahara', 'Sudan', 'Morocco', 'Tunisia'],
      poly: [[-13, 21], [-11.5, 23.5], [-10, 26], [-7, 27.2], [-4, 28.5], [-1, 28.9], [2, 29.6], [5, 29.4], [8, 30.3],
        [11, 30.4], [12.5, 29.3], [14, 28.8], [16.5, 28.0], [19, 28.3], [21, 29.1], [22.5, 28.8], [25, 28.0], [27, 28.5],
        [28.6, 28.2], [28.6, 25], [29.3, 22.5], [28.6, 20.5], [26, 19.4], [24, 18.5], [20, 18.9], [16, 17.5], [13, 18.6],
        [10, 17.8], [6, 18.9], [3, 19], [-1, 18.2], [-5, 18.8], [-8, 18.0], [-11, 19], [-12.5, 20]] }] },
  { name: 'Tibet and Sinkiang',
    parts: [{ c: 'China', box: [73, 27, 101.5, 36.5] }, { c: 'China', box: [73, 36.5, 96, 50] }] },
  { name: 'Greenland Ice Cap', parts: [{ c: 'Greenland' }] },
];

// ---- Sea zones ---------------------------------------------------------------------------
export const sea = [
  { name: 'Barents Sea', seeds: [[40, 72]], units: [[R, 'sub', 1]] },
  { name: 'Norwegian Sea', seeds: [[3, 67]], units: [[G, 'bb', 1]] },
  { name: 'North Sea', seeds: [[3, 56]], units: [[UK, 'bb', 1], [UK, 'ac', 1], [UK, 'trn', 1]] },
  { name: 'Baltic Sea', seeds: [[19, 57], [21, 61], [22, 64.5], [24, 59.8]], units: [[G, 'trn', 1], [G, 'sub', 1]] },
  { name: 'Western Approaches', seeds: [[-13, 52]], units: [[G, 'sub', 2]] },
  { name: 'Bay of Biscay', seeds: [[-7, 45.5]] },
  { name: 'North Atlantic', seeds: [[-33, 50], [-30, 62]], units: [[G, 'sub', 3]] },
  { name: 'Labrador Sea', seeds: [[-53, 58]] },
  { name: 'Hudson Bay', seeds: [[-86, 60]] },
  { name: 'Eastern Seaboard', seeds: [[-70, 37]], units: [[US, 'bb', 1], [US, 'trn', 2]] },
  { name: 'Central Atlantic', seeds: [[-42, 30]] },
  { name: 'Gulf of Mexico', seeds: [[-90, 25]] },
  { name: 'Caribbean Sea', seeds: [[-75, 15]] },
  { name: 'Western Mediterranean', seeds: [[4, 39]] },
  { name: 'Central Mediterranean', seeds: [[17, 35]], units: [[G, 'bb', 1], [G, 'trn', 1]] },
  { name: 'Eastern Mediterranean', seeds: [[29, 34]], units: [[UK, 'bb', 1], [UK, 'trn', 1]] },
  { name: 'Black Sea', seeds: [[34, 43], [28.2, 40.75], [36.5, 46]], units: [[R, 'sub', 1]] },
  { name: 'West African Waters', seeds: [[-25, 17]] },
  { name: 'Gulf of Guinea', seeds: [[2, 0]] },
  { name: 'Brazilian Coast', seeds: [[-30, -10]] },
  { name: 'South Atlantic', seeds: [[-15, -32]] },
  { name: 'Argentine Sea', seeds: [[-55, -45]] },
  { name: 'Cape Waters', seeds: [[16, -40]] },
  { name: 'Arabian Sea', seeds: [[63, 15], [51, 27], [38, 20]] },
  { name: 'Somali Basin', seeds: [[55, 0]] },
  { name: 'Mozambique Channel', seeds: [[41, -18]] },
  { name: 'Bay of Bengal', seeds: [[88, 13]], units: [[UK, 'bb', 1], [UK, 'trn', 1]] },
  { name: 'Central Indian Ocean', seeds: [[80, -12]] },
  { name: 'South Indian Ocean', seeds: [[75, -40]] },
  { name: 'Great Australian Bight', seeds: [[130, -40]] },
  { name: 'South China Sea', seeds: [[114, 12]], units: [[J, 'trn', 1], [J, 'sub', 1]] },
  { name: 'Java Sea', seeds: [[110, -5], [125, -6]], units: [[J, 'bb', 1], [J, 'trn', 1]] },
  { name: 'Philippine Sea', seeds: [[133, 18]], units: [[J, 'ac', 2], [J, 'bb', 2], [J, 'ftr', 2]] },
  { name: 'East China Sea', seeds: [[125, 30], [123.5, 36]], units: [[J, 'trn', 1]] },
  { name: 'Sea of Japan', seeds: [[134, 40]] },
  { name: 'Sea of Okhotsk', seeds: [[150, 53]] },
  { name: 'Bering Sea', seeds: [[-178, 58]] },
  { name: 'Gulf of Alaska', seeds: [[-145, 55]] },
  { name: 'North Pacific', seeds: [[170, 42]] },
  { name: 'Caroline Waters', seeds: [[150, 10]], units: [[J, 'ac', 1], [J, 'sub', 1]] },
  { name: 'Marshall Waters', seeds: [[172, 10]] },
  { name: 'Midway Waters', seeds: [[-176, 30]] },
  { name: 'Hawaiian Waters', seeds: [[-155, 17]], units: [[US, 'ac', 1], [US, 'bb', 1]] },
  { name: 'Californian Coast', seeds: [[-128, 33]], units: [[US, 'bb', 1], [US, 'trn', 1]] },
  { name: 'Mexican Coast', seeds: [[-108, 12]] },
  { name: 'Central Pacific', seeds: [[-140, -5]] },
  { name: 'Southeast Pacific', seeds: [[-95, -25]] },
  { name: 'Coral Sea', seeds: [[156, -15]], units: [[US, 'ac', 1]] },
  { name: 'Tasman Sea', seeds: [[160, -38]] },
  { name: 'South Pacific', seeds: [[-170, -25]] },
];

// The title printed in an empty part of the ocean, near this point (pixels).
export const title = { lines: ['QELMAP', 'THE WORLD IN THE SPRING OF 1942', 'geography: Natural Earth (public domain)'], near: [150, 880] };

// ---- Water and ice that belong to no sector (index 255) ------------------------------------
// Lakes that the country data does not cut out (rough outlines).
export const lakes = [
  { name: 'Lake Superior', poly: [[-92.1, 46.7], [-89.5, 48.0], [-88.3, 48.9], [-86.3, 48.7], [-84.8, 47.9], [-84.6, 46.5], [-86.5, 46.5], [-88.5, 47.0], [-90.5, 46.6]] },
  { name: 'Lake Michigan', poly: [[-87.9, 41.6], [-87.8, 43.5], [-87.5, 44.9], [-86.3, 45.9], [-85.0, 45.8], [-85.8, 44.5], [-86.4, 43.0], [-86.6, 41.7]] },
  { name: 'Lake Huron', poly: [[-84.7, 45.9], [-84.1, 46.3], [-82.0, 46.1], [-80.5, 45.6], [-80.0, 44.6], [-81.5, 44.9], [-81.7, 43.3], [-82.4, 43.0], [-83.4, 43.9], [-83.4, 44.9], [-84.2, 45.7]] },
  { name: 'Lake Erie', poly: [[-83.5, 41.6], [-81.7, 41.4], [-79.8, 42.1], [-78.8, 42.9], [-80.2, 42.7], [-81.5, 42.7], [-82.8, 42.1]] },
  { name: 'Lake Ontario', poly: [[-79.9, 43.2], [-78.0, 43.25], [-76.2, 43.4], [-76.2, 44.25], [-77.5, 44.05], [-79.4, 43.75]] },
  { name: 'Lake Winnipeg', poly: [[-99.0, 50.3], [-96.4, 50.4], [-97.0, 52.5], [-98.6, 54.0], [-99.6, 53.3], [-98.2, 51.5]] },
  { name: 'Great Slave Lake', poly: [[-117.2, 60.8], [-113.0, 61.0], [-109.0, 62.3], [-111.0, 62.9], [-115.0, 62.5], [-117.3, 61.5]] },
  { name: 'Great Bear Lake', poly: [[-125.0, 65.0], [-120.0, 66.6], [-117.8, 65.9], [-121.0, 64.7], [-124.0, 64.7]] },
  { name: 'Lake Ladoga', poly: [[29.8, 60.0], [30.8, 60.2], [32.8, 60.5], [32.6, 61.3], [31.2, 61.7], [30.0, 61.3], [29.2, 60.6]] },
  { name: 'Lake Onega', poly: [[34.4, 60.9], [35.8, 61.0], [36.5, 62.0], [35.4, 62.9], [34.5, 62.5], [34.2, 61.6]] },
  { name: 'Aral Sea', poly: [[58.2, 44.5], [58.8, 46.3], [60.5, 46.6], [61.7, 45.3], [61.2, 43.9], [59.5, 43.4]] },
  { name: 'Lake Baikal', poly: [[103.6, 51.4], [105.5, 51.6], [107.6, 52.7], [109.6, 54.4], [110.0, 55.8], [109.2, 55.8], [108.2, 54.1], [106.4, 53.1], [104.4, 52.1]] },
  { name: 'Lake Balkhash', poly: [[73.5, 45.9], [74.5, 46.8], [76.5, 46.6], [79.2, 46.9], [79.3, 46.3], [76.5, 46.0], [74.5, 45.6]] },
  { name: 'Lake Victoria', poly: [[31.6, -1.0], [32.2, 0.35], [33.5, 0.35], [34.2, -0.3], [34.0, -1.6], [33.2, -2.7], [32.2, -2.6], [31.6, -1.8]] },
  { name: 'Lake Tanganyika', poly: [[29.0, -3.3], [29.6, -3.3], [30.2, -5.4], [30.9, -7.2], [31.2, -8.6], [30.5, -8.8], [29.5, -7.0], [29.2, -5.2]] },
  { name: 'Lake Nyasa', poly: [[34.2, -9.4], [34.7, -9.5], [35.1, -11.5], [35.4, -14.3], [34.8, -14.5], [34.4, -13.0], [34.1, -11.0]] },
];

// Sea ice: water in these boxes belongs to no zone and is drawn as pack ice.
export const ice = [
  [-180, 71.5, -12, 90],
  [62, 72.5, 180, 90],
  [-125, 67.5, -58, 90],
  [160, 65.8, -150, 90],
];

// Straits narrower than a pixel, opened as water 3 pixels wide: [from, to] in degrees.
export const channels = [
  [[-6.4, 36.0], [-5.0, 36.0]],     // Gibraltar
  [[26.1, 40.0], [26.8, 40.5]],     // Dardanelles
  [[28.95, 40.95], [29.15, 41.3]],  // Bosporus
  [[12.65, 55.4], [12.6, 56.2]],    // Öresund
];

// Land that belongs to no sector (index 255): drawn as neutral land with its name.
export const unsectored = ['Switzerland'];

// Countries that are too small to be part of any sector: they are left out (water).
export const ignored = [
  'Antarctica', 'Fr. S. Antarctic Lands', 'Heard I. and McDonald Is.', 'S. Geo. and the Is.', 'Falkland Is.',
  'Bermuda', 'Cabo Verde', 'Saint Helena', 'São Tomé and Principe', 'Seychelles', 'Maldives', 'Br. Indian Ocean Ter.',
  'Indian Ocean Ter.', 'Ashmore and Cartier Is.', 'Norfolk Island', 'New Caledonia', 'Vanuatu', 'Fiji', 'Tonga',
  'Samoa', 'American Samoa', 'Niue', 'Cook Is.', 'Fr. Polynesia', 'Pitcairn Is.', 'Kiribati', 'Nauru',
  'Wallis and Futuna Is.', 'Malta', 'Anguilla', 'Montserrat', 'St-Martin', 'St-Barthélemy', 'Sint Maarten',
];
