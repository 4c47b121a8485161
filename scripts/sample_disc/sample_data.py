"""The Solvara sample edition, as plain data.

build_sample_data.py turns this description into the nine data files of
sample-disc/. Edit the data here and run the builder again; keys, species
numbers, tape positions and the audio CD layout are worked out by the builder.

How to read it:
  Family(scientific name, directory, English name, [species])
  Species(scientific name, English name, ...):
    areas      area codes where the species occurs (IN SR NE BU TH IC MA SI
               BO SU JA BA CH HK TA PH)
    status     IUCN category when threatened: "VU", "EN" or "CR"
    letters    flags of the species: A, M, S (small picture), N, E (items
               grouped by subspecies)
    author     1 Tamrek, 2 Vandrel, 3 Orvin, 4 Callowden, or None
    maps       [(frame name, "mask"/"main"/"mask main"/"")]
    subspecies names separated by blanks
    other      second text line (other English names)
    text       description; range_text: where it lives
  rec(type, item text, place, recordist, date, time, ...): one recording and
    its item. file=seconds: a sound file; cd=(tape, track, seconds): a span
    of an audio CD track. ssp may end in " (P)" (uncertain). play=False: the
    item has no "P" flag. name: other species' items can point at the same
    recording with heard(name, ...). part_of_previous: a later part of the
    species' previous sound file (same cut number, next sub letter).
  pic(caption, photographer, date, place, ssp=..., flags="NSS"/"X1"): date as
    "YYYY-MM-DD", written as the record's DDMMYY number.
"""

from collections import namedtuple

Family = namedtuple("Family", "sci dir english species")


class Species:
    def __init__(self, sci, english, *, areas, text, range_text, status=None,
                 letters="S", author=None, maps=(), subspecies="", other="",
                 recordings=(), pictures=()):
        self.sci = sci
        self.english = english
        self.areas = areas.split()
        self.text = text
        self.range_text = range_text
        self.status = status
        self.letters = letters
        self.author = author
        self.maps = list(maps)
        self.subspecies = subspecies.split()
        self.other = other
        self.recordings = list(recordings)
        self.pictures = list(pictures)


def rec(kind, text, place, recordist, date, time="", *, file=None, cd=None, ssp=None,
        play=True, x1=False, number=None, about=("", ""), cut_text=None, cut_note="",
        name=None, part_of_previous=False):
    return {"what": "recording", "kind": kind, "text": text, "place": place,
            "recordist": recordist, "date": date, "time": time, "file": file, "cd": cd,
            "ssp": ssp, "play": play, "x1": x1, "number": number, "about": about,
            "cut_text": text if cut_text is None else cut_text, "cut_note": cut_note,
            "name": name, "part_of_previous": part_of_previous}


def heard(name, kind, text, *, ssp=None, play=True, x1=False, number=None, about=("", "")):
    return {"what": "heard", "name": name, "kind": kind, "text": text, "ssp": ssp,
            "play": play, "x1": x1, "number": number, "about": about}


def pic(caption, photographer=None, date=None, place=None, *, ssp=None, flags=""):
    return {"caption": caption, "photographer": photographer, "date": date,
            "place": place, "ssp": ssp, "flags": flags}


# ---------------------------------------------------------------- map frames
# (name, number, (west longitude, east longitude, north latitude, south latitude))

MAPS = [
    ("Solvara", 1, (60.0, 135.0, 36.0, -11.0)),
    ("Indian Subcontinent", 2, (66.0, 98.0, 31.0, 5.5)),
    ("Indochina", 3, (92.0, 110.0, 24.0, 8.5)),
    ("Sundaland", 4, (95.0, 120.5, 8.0, -9.25)),
    ("South China and Taiwan", 5, (97.0, 123.0, 30.0, 17.0)),
    ("Philippines", 6, (116.0, 127.0, 21.5, 4.5)),
    ("Sri Lanka", 7, (79.4, 82.0, 10.0, 5.8)),
]

# ---------------------------------------------------------------- people
# (key, text 1, text 2). The text authors are the first four; all are invented.

PEOPLE = [
    ("J. Tamrek", "Jorun Tamrek", "Author of species texts"),
    ("A. Vandrel", "Anneke Vandrel", "Recordist in Malaysia, Singapore and Borneo"),
    ("K. Orvin", "Kasimir Orvin", "Recordist in Thailand and Indochina"),
    ("M. Callowden", "Ma\u00eblle Callowden", "Photographer"),
    ("T. Brannick", "Talia Brannick", "Recordist in northern India and Nepal"),
    ("H. Kestowe", "Hollis Kestowe", "Recordist in southern India and Sri Lanka"),
    ("L. Ostevik", "Liesl Ostevik", "Recordist in China, Hong Kong and Taiwan"),
    ("R. Pellandre", "Rafe Pellandre", "Recordist in Sumatra, Java and Bali"),
    ("S. Quillon", "Soraya Quillon", "https://www.example.org/quillon"),
    ("E. Yarrowby", "Edda Yarrowby", "Recordist of shorebirds on their wintering grounds"),
    ("D. Mervaine", "Daan Mervaine", "Photographer"),
    ("N. Tavrinen", "Noor Tavrinen", "https://www.example.org/tavrinen"),
    ("J. Vautrelle", "J\u00e9r\u00f4me Vautrelle", "Photographer"),
]

# ---------------------------------------------------------------- localities
# (key, name, region, country, prefix, text, latitude, longitude, site description)
# Latitude and longitude are (degrees, minutes, hemisphere): "N" or "S", "E"
# or "W". The data file holds south and west as negative values.

LOCALITIES = [
    ("KEOLADEO", "Keoladeo National Park", "Rajasthan", "India", "",
     "Shallow marshes, grassland and dry woodland at Bharatpur", (27, 10, "N"), (77, 31, "E"), "keoladeo.htm"),
    ("KAZIRANGA", "Kaziranga National Park", "Assam", "India", "",
     "Tall grassland, swamps and woodland on the Brahmaputra floodplain", (26, 40, "N"), (93, 21, "E"), ""),
    ("PERIYAR", "Periyar Tiger Reserve", "Kerala", "India", "",
     "Evergreen forest around the reservoir at Thekkady", (9, 36, "N"), (77, 10, "E"), ""),
    ("THATTEKAD", "Thattekad Bird Sanctuary", "Kerala", "India", "",
     "Lowland forest and plantations along the Periyar river", (10, 7, "N"), (76, 42, "E"), ""),
    ("EAGLENEST", "Eaglenest Wildlife Sanctuary", "Arunachal Pradesh", "India", "",
     "Broadleaf forest along the road over Eaglenest pass", (27, 6, "N"), (92, 28, "E"), ""),
    ("CHOPTA", "Chopta", "Uttarakhand", "India", "near",
     "Oak and rhododendron forest and alpine meadows below Tungnath", (30, 29, "N"), (79, 12, "E"), ""),
    ("SINHARAJA", "Sinharaja Forest Reserve", "Sabaragamuwa", "Sri Lanka", "",
     "Lowland rainforest", (6, 24, "N"), (80, 27, "E"), "sinharaja.htm"),
    ("YALA", "Yala National Park", "Southern Province", "Sri Lanka", "",
     "Dry scrub, lagoons and rocky outcrops near the coast", (6, 22, "N"), (81, 31, "E"), ""),
    ("CHITWAN", "Chitwan National Park", "Chitwan District", "Nepal", "",
     "Sal forest and riverine grassland", (27, 30, "N"), (84, 20, "E"), "chitwan.htm"),
    ("KOSHI TAPPU", "Koshi Tappu Wildlife Reserve", "Sunsari", "Nepal", "",
     "Marshes, grassland and braided channels of the Sapta Koshi", (26, 39, "N"), (86, 58, "E"), ""),
    ("PHULCHOKI", "Phulchoki", "Lalitpur", "Nepal", "",
     "Oak and rhododendron forest on the mountain south-east of Kathmandu", (27, 34, "N"), (85, 24, "E"), ""),
    ("MOTTAMA", "Gulf of Mottama", "Mon State", "Burma", "",
     "Wide tidal mudflats at the head of the gulf", (16, 55, "N"), (97, 15, "E"), ""),
    ("KHAO YAI", "Khao Yai National Park", "Nakhon Ratchasima", "Thailand", "",
     "Evergreen forest near the park headquarters", (14, 26, "N"), (101, 22, "E"), "khaoyai.htm"),
    ("DOI INTHANON", "Doi Inthanon National Park", "Chiang Mai", "Thailand", "",
     "Montane evergreen forest on Thailand's highest mountain", (18, 35, "N"), (98, 29, "E"), ""),
    ("KAENG KRACHAN", "Kaeng Krachan National Park", "Phetchaburi", "Thailand", "",
     "Lowland and hill evergreen forest near Ban Krang", (12, 48, "N"), (99, 27, "E"), ""),
    ("KHAO NOR CHUCHI", "Khao Nor Chuchi", "Krabi", "Thailand", "",
     "Lowland forest of Khao Pra-Bang Khram Wildlife Sanctuary", (7, 56, "N"), (99, 16, "E"), ""),
    ("PAK THALE", "Pak Thale", "Phetchaburi", "Thailand", "",
     "Salt pans and tidal mudflats on the inner Gulf of Thailand", (13, 9, "N"), (100, 4, "E"), ""),
    ("HUAI KHA KHAENG", "Huai Kha Khaeng Wildlife Sanctuary", "Uthai Thani", "Thailand", "",
     "Dry forest along the <I>Huai Kha Khaeng</I> stream", (15, 30, "N"), (99, 15, "E"), ""),
    ("CAT TIEN", "C\u00e1t Ti\u00ean National Park", "Dong Nai", "Vietnam", "",
     "Lowland forest and grassland by the Dong Nai river", (11, 26, "N"), (107, 25, "E"), ""),
    ("BACH MA", "Bach Ma National Park", "Thua Thien-Hue", "Vietnam", "",
     "Wet evergreen forest on the slopes of Bach Ma mountain", (16, 12, "N"), (107, 52, "E"), ""),
    ("TMATBOEY", "Tmatboey", "Preah Vihear", "Cambodia", "near",
     "Open dry dipterocarp forest with seasonal pools", (14, 0, "N"), (105, 0, "E"), ""),
    ("PREK TOAL", "Prek Toal", "Battambang", "Cambodia", "",
     "Flooded forest at the north-west end of the Tonle Sap lake", (13, 12, "N"), (103, 38, "E"), ""),
    ("TAMAN NEGARA", "Taman Negara National Park", "Pahang", "Malaysia", "near",
     "Kuala Tahan, lowland dipterocarp forest", (4, 23, "N"), (102, 24, "E"), ""),
    ("FRASER'S HILL", "Fraser's Hill", "Pahang", "Malaysia", "",
     "Montane forest on the Main Range", (3, 43, "N"), (101, 44, "E"), ""),
    ("KUALA SELANGOR", "Kuala Selangor Nature Park", "Selangor", "Malaysia", "",
     "Mangroves, lagoons and mudflats at the mouth of the Selangor river", (3, 20, "N"), (101, 15, "E"), ""),
    ("DANUM VALLEY", "Danum Valley Conservation Area", "Sabah", "Malaysia", "",
     "Lowland dipterocarp forest along the Segama river", (4, 58, "N"), (117, 48, "E"), "danum.htm"),
    ("KINABATANGAN", "Kinabatangan river", "Sabah", "Malaysia", "near",
     "Sukau, riverine forest and oxbow lakes", (5, 30, "N"), (118, 17, "E"), ""),
    ("KINABALU", "Kinabalu Park", "Sabah", "Malaysia", "",
     "Montane forest near the park headquarters", (6, 1, "N"), (116, 33, "E"), ""),
    ("BUKIT TIMAH", "Bukit Timah Nature Reserve", "", "Singapore", "",
     "Primary forest on Singapore's highest hill", (1, 21, "N"), (103, 46, "E"), ""),
    ("SUNGEI BULOH", "Sungei Buloh Wetland Reserve", "", "Singapore", "",
     "Mangroves, ponds and mudflats on the north-west coast", (1, 27, "N"), (103, 44, "E"), ""),
    ("PULAU UBIN", "Pulau Ubin", "", "Singapore", "",
     "Island of old plantations, scrub and quarry lakes", (1, 24, "N"), (103, 58, "E"), ""),
    ("WAY KAMBAS", "Way Kambas National Park", "Lampung", "Indonesia", "",
     "Swamp forest, riverine forest and grassland", (4, 55, "S"), (105, 46, "E"), ""),
    ("GEDE", "Gunung Gede-Pangrango National Park", "West Java", "Indonesia", "near",
     "Cibodas, montane forest on the volcano's slopes", (6, 44, "S"), (107, 0, "E"), ""),
    ("BALURAN", "Baluran National Park", "East Java", "Indonesia", "",
     "Savanna and dry forest at the eastern tip of Java", (7, 50, "S"), (114, 22, "E"), ""),
    ("BALI BARAT", "West Bali National Park", "Bali", "Indonesia", "",
     "Dry monsoon forest and savanna on the Prapat Agung peninsula", (8, 8, "S"), (114, 30, "E"),
     "balibarat.htm"),
    ("KITANGLAD", "Mount Kitanglad Range Natural Park", "Bukidnon", "Philippines", "",
     "Montane forest above Dalwangan", (8, 8, "N"), (124, 55, "E"), "kitanglad.htm"),
    ("CANDABA", "Candaba Marsh", "Pampanga", "Philippines", "",
     "Seasonal marsh, fish ponds and rice fields", (15, 5, "N"), (120, 52, "E"), ""),
    ("SABANG", "Puerto Princesa Subterranean River National Park", "Palawan", "Philippines",
     "near", "Sabang, lowland forest down to the sea", (10, 12, "N"), (118, 55, "E"), ""),
    ("MAI PO", "Mai Po Marshes", "New Territories", "Hong Kong", "",
     "Shrimp ponds, reed beds and mudflats of Deep Bay", (22, 29, "N"), (114, 2, "E"), "maipo.htm"),
    ("TAI PO KAU", "Tai Po Kau Nature Reserve", "New Territories", "Hong Kong", "",
     "Secondary forest on hill slopes", (22, 26, "N"), (114, 11, "E"), ""),
    ("XISHUANGBANNA", "Xishuangbanna Tropical Botanical Garden", "Yunnan", "China", "near",
     "Menglun, tropical forest and gardens by the Luosuo river", (21, 55, "N"), (101, 15, "E"), ""),
    ("DASYUESHAN", "Dasyueshan National Forest Recreation Area", "Taichung", "Taiwan", "",
     "Mixed and conifer forest along the mountain road", (24, 17, "N"), (121, 1, "E"), ""),
    ("ZENGWEN", "Zengwen River Estuary", "Tainan", "Taiwan", "",
     "Fish ponds, sandbars and mudflats at the river mouth", (23, 3, "N"), (120, 4, "E"), ""),
    ("YUANYANG LAKE", "Yuanyang Lake Nature Reserve", "Hsinchu", "Taiwan", "",
     "Mountain lake ringed by old cypress forest", (24, 35, "N"), (121, 24, "E"), ""),
    ("KENTING", "Kenting National Park", "Pingtung", "Taiwan", "",
     "Coral-limestone forest and farmland in the far south", (21, 57, "N"), (120, 48, "E"), ""),
    ("ZERO", "ZERO LOCATION", "", "", "", "", (0, 0, "N"), (0, 0, "E"), ""),
]

# ---------------------------------------------------------------- audio CDs
# tape number: (title, name); the disc identity is computed by the builder.
# The name goes on recording lines, the status bar and messages, the title in
# the CD choice and Show Name of Sound File: the title is the name and what
# the CD holds, so both speak of one CD.

AUDIO_CDS = {
    9: ("Solvara Bird Sounds, Sample Edition, CD 1 of 2: non-passerines",
        "Solvara Bird Sounds, Sample Edition, CD 1 of 2"),
    10: ("Solvara Bird Sounds, Sample Edition, CD 2 of 2: barbets to mynas",
         "Solvara Bird Sounds, Sample Edition, CD 2 of 2"),
}
AUDIO_CD_WEB = "https://www.example.org/solvara/cd%d"

# ---------------------------------------------------------------- families and species

FAMILIES = [
    Family("Anatidae", "ANATIDAE", "Ducks, Geese and Swans", [
        Species(
            "Dendrocygna javanica", "Lesser Whistling Duck",
            areas="IN SR NE BU TH IC MA SI BO SU JA CH", letters="AS", author=1,
            maps=[("Solvara", "main")],
            other="Lesser Whistling Teal; Indian Whistling Duck",
            text="A small, long-necked duck, brown above and warm buff below, with a darker "
                 "cap and a chestnut patch on the upperwing. Flocks fly low on rounded wings, "
                 "giving endless wheezy <I>whi-whee</I> whistles while the wings whistle too.",
            range_text="Lowland lakes, paddies and marshes with floating plants from India and "
                       "Sri Lanka through South-east Asia to the Greater Sundas and southern China.",
            recordings=[
                rec("X", "Whistling calls of a flock in flight", "KEOLADEO", "T. Brannick",
                    "1996-01-14", "07:10", file=18, name="keoladeo-marsh",
                    cut_text="Morning at the marsh",
                    cut_note="Painted Storks clatter their bills at the nests nearby"),
                rec("A", "Calls of birds on the water", "KUALA SELANGOR", "A. Vandrel",
                    "2004-08-03", "17:40", file=12),
                rec("B", "Wing whistling of birds taking off", "KOSHI TAPPU", "T. Brannick",
                    "2001-02-22", file=6, play=False),
            ],
            pictures=[
                pic("A flock resting on a lotus pond", "D. Mervaine", "1998-06-12", "KEOLADEO"),
                pic("Adult in flight", "N. Tavrinen", "1992-11-23", "KUALA SELANGOR", flags="NSS"),
            ]),
        Species(
            "Nettapus coromandelianus", "Cotton Pygmy Goose",
            areas="IN SR NE BU TH IC MA CH PH", author=2,
            subspecies="coromandelianus", other="Cotton Teal",
            text="One of the smallest ducks in the world. The male is white with a glossy "
                 "green-black cap, back and breast band and a broad white bar across the "
                 "wing; the female is duller, with a dark line through the eye. The male "
                 "gives a cackling, staccato call, mostly in flight.",
            range_text="Ponds and tanks rich in water plants from India and Sri Lanka to "
                       "southern China, Indochina, Peninsular Malaysia and the Philippines; "
                       "also New Guinea and Australia, beyond the region.",
            recordings=[
                rec("X", "Cackling calls of a male", "KAZIRANGA", "T. Brannick",
                    "1999-03-12", "08:20", file=9, ssp="coromandelianus"),
                rec("A", "Calls of a pair in flight", "CANDABA", "S. Quillon",
                    "2008-12-05", "06:50", file=7, number=80),
            ],
            pictures=[
                pic("Male among water lilies", "M. Callowden", "1999-04-06", "KAZIRANGA",
                    ssp="coromandelianus"),
                pic("Female", "D. Mervaine", "1993-09-17", "KEOLADEO"),
            ]),
        Species(
            "Aix galericulata", "Mandarin Duck",
            areas="CH HK TA", letters="MS", author=2,
            maps=[("South China and Taiwan", "main")],
            text="The drake is unmistakable, with orange 'sails' on the back, orange "
                 "whisker-like plumes on the cheeks, a broad white stripe over the eye and a "
                 "red bill; the duck is grey-brown with a white spectacle. Mostly silent; "
                 "drakes give short whistles in display.",
            range_text="Breeds in the Russian Far East, Japan and China; winters in eastern and "
                       "southern China, rarely reaching Hong Kong; a few live in the mountains "
                       "of Taiwan. Wooded rivers, ponds and lakes.",
            recordings=[
                rec("X", "Soft whistles of displaying males", "YUANYANG LAKE", "L. Ostevik",
                    "2011-11-18", "09:05", file=14),
                rec("C", "Calls of a female", "YUANYANG LAKE", "L. Ostevik",
                    "2011-11-18", "09:30", file=5, part_of_previous=True,
                    about=("Female", "with young")),
            ],
            pictures=[
                pic("Drake", "J. Vautrelle", "2000-02-28", "YUANYANG LAKE"),
                pic("Drake and duck on a mountain lake", "L. Ostevik", "1994-07-11", "YUANYANG LAKE"),
            ]),
        Species(
            "Asarcornis scutulata", "White-winged Duck",
            areas="IN BU TH IC SU", status="EN", author=3,
            maps=[("Indochina", "main"), ("Solvara", "mask")],
            other="White-winged Wood Duck",
            text="<B>Endangered.</B> A big, dark duck of forest pools with a whitish, "
                 "black-speckled head and neck and white forewing patches that flash in "
                 "flight. Most active at dusk and dawn, when pairs fly between roost and pool "
                 "giving long, wavering honks.",
            range_text="Slow rivers and pools inside lowland evergreen forest in north-east "
                       "India, Burma, Thailand, Indochina and Sumatra; long gone from Java and "
                       "Peninsular Malaysia.",
            recordings=[
                rec("X", "Honking calls in flight at dusk", "WAY KAMBAS", "R. Pellandre",
                    "1993-07-09", "18:05", file=16),
                rec("A", "Calls of a pair at a forest pool", "WAY KAMBAS", "R. Pellandre",
                    "1993-07-10", "05:50", file=11, number="?"),
            ],
            pictures=[
                pic("Adult at a forest pool", "R. Pellandre", "2001-12-22", "WAY KAMBAS"),
            ]),
        Species(
            "Aythya baeri", "Baer's Pochard",
            areas="IN NE BU TH CH HK", status="CR", author=4,
            maps=[("Solvara", "mask main")],
            text="<B>Critically endangered.</B> A diving duck; the male has a dark, "
                 "green-glossed head, a white eye, chestnut-brown breast and white at the "
                 "front of the flanks. Its world population has fallen to a few hundred birds.",
            range_text="Breeds in north-east China and the Russian Far East; winters very "
                       "locally on lakes in southern China, north-east India, Nepal, Bangladesh, "
                       "Burma and Thailand.",
            recordings=[
                rec("X", "Harsh calls of a displaying male", "KOSHI TAPPU", "T. Brannick",
                    "1991-02-28", file=8, number=60,
                    cut_note="Recorded at long range over open water"),
            ],
            pictures=[
                pic("Male", "N. Tavrinen", "1995-05-05", "KOSHI TAPPU"),
            ]),
    ]),

    Family("Phasianidae", "PHASIANI", "Pheasants, Partridges and Junglefowl", [
        Species(
            "Gallus gallus", "Red Junglefowl",
            areas="IN NE BU TH IC MA SI SU JA BA CH", letters="ASE", author=1,
            maps=[("Solvara", "main")],
            subspecies="murghi spadiceus jabouillei gallus bankiva",
            other="Wild ancestor of the domestic chicken",
            text="The male has golden-orange hackles, a red comb and wattles and a long, "
                 "arching green-black tail; the female is brown and much smaller. The crow is "
                 "like a farmyard cockerel's but thinner, and it stops short as if cut off.",
            range_text="Forest edge, bamboo and secondary growth from the Himalayan foothills "
                       "and India through South-east Asia to Sumatra, Java and Bali.",
            recordings=[
                rec("X", "Crowing at dawn", "KHAO YAI", "K. Orvin", "1995-03-12", "05:45",
                    cd=(9, 1, 11.0), ssp="gallus", about=("Adult", "male"),
                    name="khaoyai-dawn", cut_text="Dawn at the forest edge",
                    cut_note="Great Hornbills call in the background"),
                rec("A", "Crowing and clucking", "CHITWAN", "T. Brannick", "1997-02-03",
                    "06:20", cd=(9, 1, 9.5), ssp="murghi"),
                rec("B", "Alarm calls", "KAZIRANGA", "T. Brannick", "1998-03-15",
                    cd=(9, 1, 8.0), ssp="murghi", play=False),
                rec("A", "Crowing of a male", "DOI INTHANON", "K. Orvin", "1993-12-25",
                    "06:40", file=8, ssp="spadiceus"),
                rec("X", "Crowing", "XISHUANGBANNA", "L. Ostevik", "2005-04-21", "06:10",
                    file=10, ssp="jabouillei (P)"),
                rec("X", "Crowing", "BALURAN", "R. Pellandre", "2002-08-11", "05:30",
                    file=9, ssp="bankiva"),
            ],
            pictures=[
                pic("Adult <B>male</B>", "M. Callowden", "2002-10-16", "KHAO YAI", ssp="gallus"),
                pic("Female with chicks", "D. Mervaine", "1996-03-27", "CHITWAN", ssp="murghi"),
                pic("Male crowing on a fallen log", "T. Brannick", "2003-08-10", "KAZIRANGA",
                    ssp="murghi", flags="X1"),
            ]),
        Species(
            "Gallus lafayettii", "Sri Lanka Junglefowl",
            areas="SR", letters="NS", author=2,
            maps=[("Sri Lanka", "main")],
            other="Ceylon Junglefowl",
            text="The male is orange-red with a red comb that has a yellow centre, dark "
                 "purplish wings and a glossy black tail; the female is brown with finely "
                 "barred wings. The crow is a jerky, three-part phrase, quite unlike a "
                 "domestic cockerel's.",
            range_text="Found only in Sri Lanka, in all kinds of forest and scrub from the dry "
                       "lowlands to the hills.",
            recordings=[
                rec("X", "Crowing of a male", "SINHARAJA", "H. Kestowe", "2000-01-22",
                    "06:05", file=12),
                rec("A", "Cackling of a female", "SINHARAJA", "H. Kestowe", "2000-01-22",
                    "06:30", file=6, part_of_previous=True),
            ],
            pictures=[
                pic("Male on the forest floor", "H. Kestowe", "1997-01-21", "SINHARAJA"),
                pic("Female", "M. Callowden", "1991-06-04", "YALA"),
            ]),
        Species(
            "Pavo cristatus", "Indian Peafowl",
            areas="IN SR NE", author=3,
            maps=[("Indian Subcontinent", "main")],
            text="The national bird of India. The male has a fan-shaped crest, blue neck and "
                 "breast and a long train of eyed feathers that he raises in display; the "
                 "female has no train and a green neck. The loud, wailing <I>may-awe</I> is "
                 "heard most before the monsoon rains.",
            range_text="Open forest, scrub and farmland near water in India, Sri Lanka and "
                       "lowland Nepal; also Pakistan, Bangladesh and Bhutan.",
            recordings=[
                rec("X", "Loud calls of males before rain", "KEOLADEO", "T. Brannick",
                    "1994-06-18", "18:30", cd=(9, 3, 12.0)),
                rec("A", "Alarm calls at a leopard", "YALA", "H. Kestowe", "2006-09-06",
                    cd=(9, 3, 10.0),
                    cut_note="The birds call from the trees as the cat walks past"),
            ],
            pictures=[
                pic("Male in display", "J. Vautrelle", "1998-11-15", "KEOLADEO"),
                pic("Female", "D. Mervaine", "1992-04-26", "YALA"),
                pic("Male roosting at dusk", None, None, None, flags="NSS"),
            ]),
        Species(
            "Pavo muticus", "Green Peafowl",
            areas="BU TH IC CH JA", status="EN", letters="AS", author=4,
            maps=[("Indochina", "mask main"), ("Solvara", "")],
            subspecies="spicifer imperator muticus", other="Green-necked Peafowl",
            text="<B>Endangered.</B> Taller and slimmer than the Indian Peafowl, with an "
                 "upright, tufted crest and a scaly green neck and breast; both sexes are "
                 "glossy green and the male carries a long train. Loud <I>ki-wao</I> calls "
                 "carry far at dawn and dusk.",
            range_text="Open dry forest near rivers and grassland; now very local in Burma, "
                       "Thailand, Indochina, Yunnan and Java, and gone from most of its former "
                       "range.",
            recordings=[
                rec("X", "Loud <I>ki-wao</I> calls of males", "HUAI KHA KHAENG", "K. Orvin",
                    "1996-02-14", "06:15", cd=(9, 2, 12.5), ssp="imperator",
                    about=("Adult male", "")),
                rec("A", "Calls", "CAT TIEN", "K. Orvin", "2002-04-03", "17:50",
                    cd=(9, 2, 10.0), ssp="imperator", number=80, x1=True,
                    cut_note="Gibbons sing in the background"),
                rec("B", "Calls of a female", "BALURAN", "R. Pellandre", "2002-08-12",
                    "06:00", file=7, ssp="muticus"),
            ],
            pictures=[
                pic("Displaying male", "M. Callowden", "1993-02-20", "HUAI KHA KHAENG", ssp="imperator"),
                pic("Adult <I>female</I>", None, None, None, flags="X1"),
                pic("Male drinking at a river", "K. Orvin", "1994-12-14", "CAT TIEN",
                    ssp="imperator (P)"),
            ]),
        Species(
            "Lophura edwardsi", "Edwards's Pheasant",
            areas="IC", status="CR", letters="M",
            maps=[("Indochina", "main")],
            text="<B>Critically endangered.</B> The male is glossy blue-black with a short "
                 "white crest and bare red skin around the eye; the female is warm brown. "
                 "There has been no certain record in the wild since 2000, and the species "
                 "survives mainly in captive flocks.",
            range_text="Wet lowland forest of central Vietnam, in the provinces of Quang Binh, "
                       "Quang Tri and Thua Thien-Hue.",
            recordings=[
                rec("X", "Wing-whirring display and calls of a male", "ZERO", "K. Orvin",
                    "1998-05-20", file=10, cut_text="Captive birds",
                    cut_note="The place of this recording was not noted"),
            ],
            pictures=[
                pic("Male in an aviary", "J. Vautrelle", "2001-05-25", "ZERO", flags="NSS"),
            ]),
        Species(
            "Lophophorus impejanus", "Himalayan Monal",
            areas="IN NE CH", letters="MS", author=1,
            maps=[("Indian Subcontinent", "main")],
            other="Impeyan Pheasant",
            text="The male is a blaze of iridescent green, copper and purple with a "
                 "spatulate crest, a white back and a cinnamon tail; the female is brown with "
                 "a white throat. The call is a loud, rising whistle, often given by birds "
                 "that flush and glide downhill.",
            range_text="High forest, alpine meadows and scrub between about 2,400 and 4,500 m "
                       "along the Himalayas from Afghanistan to Bhutan and south-east Tibet.",
            recordings=[
                rec("X", "Ringing whistles", "CHOPTA", "T. Brannick", "2003-05-10", "06:30",
                    cd=(9, 4, 11.0)),
                rec("A", "Calls of a flushed male", "CHOPTA", "T. Brannick", "2003-05-11",
                    cd=(9, 4, 8.5), play=False),
            ],
            pictures=[
                pic("Male on an alpine meadow", "N. Tavrinen", "1995-10-08", "CHOPTA"),
                pic("Female", "T. Brannick", "2002-03-19", "CHOPTA"),
            ]),
        Species(
            "Syrmaticus mikado", "Mikado Pheasant",
            areas="TA", author=2,
            maps=[("South China and Taiwan", "main")],
            text="A dark pheasant: the male glossy blue-black with white wing bars and a long, "
                 "white-barred black tail, the female olive-brown. Shy and quiet, it steps out "
                 "onto forest roads in mist and in the early morning.",
            range_text="Found only in Taiwan, in mixed and conifer forest with dense "
                       "undergrowth high in the central mountains.",
            pictures=[
                pic("Male on a forest road in mist", "L. Ostevik", "1996-08-02", "DASYUESHAN"),
                pic("Female", "J. Vautrelle", "2003-01-13", "DASYUESHAN"),
            ]),
    ]),

    Family("Scolopacidae", "SCOLOPAC", "Sandpipers and Snipes", [
        Species(
            "Calidris pygmaea", "Spoon-billed Sandpiper",
            areas="BU TH IC CH HK", status="CR", letters="S", author=3,
            maps=[("Solvara", "mask main")],
            other="Formerly placed in the genus <I>Eurynorhynchus</I>",
            text="<B>Critically endangered.</B> A stint-sized sandpiper whose bill ends in a "
                 "broad spatula, best seen head-on. In winter it is grey-brown above and white "
                 "below; it feeds with quick sideways sweeps through soft mud. Only a few "
                 "hundred birds remain.",
            range_text="Breeds in Chukotka; winters on tidal mudflats in Bangladesh, Burma, "
                       "Thailand, Vietnam and southern China, passing along the Chinese coast.",
            recordings=[
                rec("X", "Flight calls of a wintering bird", "PAK THALE", "E. Yarrowby",
                    "2012-01-17", "08:40", file=6, name="pakthale-flock",
                    cut_text="Mixed flock of shorebirds on the salt pans",
                    cut_note="With Nordmann's Greenshanks and Wood Sandpipers"),
                rec("A", "Feeding calls", "MOTTAMA", "E. Yarrowby", "2015-02-08", file=5,
                    number="?"),
            ],
            pictures=[
                pic("Adult in winter plumage, head-on", "D. Mervaine", "1997-06-24", "PAK THALE"),
                pic("Feeding on the mudflats", "E. Yarrowby", "1991-11-07", "MOTTAMA"),
            ]),
        Species(
            "Tringa guttifer", "Nordmann's Greenshank",
            areas="BU TH MA SU CH HK", status="EN", letters="", author=4,
            maps=[("Solvara", "mask main")],
            other="Spotted Greenshank",
            text="<B>Endangered.</B> Stockier and shorter-legged than the Common Greenshank, "
                 "with yellowish legs and a thick-based, slightly upturned bill. The call is "
                 "a harsh <I>kwork</I>.",
            range_text="Breeds on Sakhalin and the coast of the Sea of Okhotsk; winters on "
                       "mudflats from Bangladesh and Burma to Thailand, Peninsular Malaysia and "
                       "Sumatra, passing along the coast of China.",
            recordings=[
                rec("X", "<I>Kwork</I> calls", "PAK THALE", "E. Yarrowby", "2012-01-18",
                    "09:00", file=8),
                heard("pakthale-flock", "B", "Calls in a mixed flock"),
                rec("A", "Calls of birds on passage", "MAI PO", "L. Ostevik", "2009-04-24",
                    "16:20", file=7),
            ],
            pictures=[
                pic("Adult in breeding plumage", "L. Ostevik", "1998-04-18", "MAI PO"),
            ]),
        Species(
            "Actitis hypoleucos", "Common Sandpiper",
            areas="IN SR NE BU TH IC MA SI BO SU JA BA CH HK TA PH", author=1,
            maps=[("Solvara", "main")],
            text="A small brown and white sandpiper that bobs its rear end constantly and "
                 "flies low over the water on stiff, flickering wingbeats. The call is a high, "
                 "thin <I>swee-wee-wee</I>.",
            range_text="Breeds in the Himalayas and across temperate Eurasia; winters along "
                       "rivers, shores and ponds throughout the region.",
            recordings=[
                rec("X", "Call in flight", "SUNGEI BULOH", "A. Vandrel", "2007-11-02",
                    file=4),
                rec("A", "Calls", "KINABATANGAN", "A. Vandrel", "2010-03-14", "07:25",
                    file=6),
                rec("B", "Alarm calls", "CHITWAN", "T. Brannick", "1997-02-07", file=5,
                    play=False),
            ],
            pictures=[
                pic("Adult on a rock in a stream", "N. Tavrinen", "1992-09-01", "CHITWAN"),
            ]),
        Species(
            "Tringa glareola", "Wood Sandpiper",
            areas="IN SR NE BU TH IC MA SI BO SU JA BA CH HK TA PH", letters="NS", author=2,
            maps=[("Solvara", "main")],
            text="Slim and fairly long-legged, with a pale stripe over the eye, heavily "
                 "speckled brown upperparts and yellowish legs; in flight the rump is white "
                 "and the underwing pale. It flushes with an excited <I>chiff-iff-iff</I>.",
            range_text="Breeds in northern Eurasia; a common winter visitor and migrant to wet "
                       "fields, marshes and pools throughout the region.",
            recordings=[
                rec("X", "Flushed birds calling", "KEOLADEO", "T. Brannick", "1996-01-16",
                    file=5),
                heard("pakthale-flock", "C", "Calls in the background", play=False),
                rec("A", "Calls", "CANDABA", "S. Quillon", "2008-12-06", "07:15", file=6),
                heard("keoladeo-marsh", "B", "Calls far off", play=False),
            ],
            pictures=[
                pic("Adult wading", "D. Mervaine", "1999-02-12", "CANDABA"),
                pic("Adult in winter", "S. Quillon", "1993-07-23", "CANDABA", flags="NSS"),
            ]),
    ]),

    Family("Ciconiidae", "CICONIID", "Storks", [
        Species(
            "Leptoptilos javanicus", "Lesser Adjutant",
            areas="IN SR NE BU TH IC MA BO SU JA", status="VU", author=3,
            maps=[("Solvara", "mask main")],
            text="<B>Vulnerable.</B> A big, dark stork with a bare yellowish head and neck, "
                 "a massive pale bill and a hunched stance. Mostly silent; nesting birds "
                 "clatter their bills.",
            range_text="Mangroves, freshwater swamps and wet grassland from India, Sri Lanka "
                       "and Nepal to Indochina, Peninsular Malaysia, Borneo, Sumatra and Java; "
                       "declining nearly everywhere.",
            pictures=[
                pic("Adult in a mangrove", "A. Vandrel", "2000-12-06", "KUALA SELANGOR"),
                pic("Soaring adult", "D. Mervaine", "1994-05-17", "KINABATANGAN"),
            ]),
        Species(
            "Mycteria cinerea", "Milky Stork",
            areas="IC MA SU JA", status="EN",
            maps=[("Sundaland", "main")],
            text="<B>Endangered.</B> A white stork with black flight feathers, a bare red "
                 "face and a long, yellow, slightly drooping bill; breeding birds have a "
                 "creamy tinge. It nests in colonies in mangroves.",
            range_text="Coastal mangroves and mudflats of Cambodia, Peninsular Malaysia, "
                       "Sumatra and Java; also Sulawesi, beyond the region.",
            pictures=[
                pic("Adults feeding on a mudflat", "N. Tavrinen", "2001-10-28", "KUALA SELANGOR"),
            ]),
        Species(
            "Mycteria leucocephala", "Painted Stork",
            areas="IN SR NE BU TH IC", letters="S", author=4,
            maps=[("Indian Subcontinent", "main"), ("Solvara", "mask")],
            text="A large white stork with a heavy, drooping yellow bill, a bare orange-red "
                 "face, a black-and-white band across the breast and pink feathers on the "
                 "back. It feeds by sweeping its half-open bill through shallow water.",
            range_text="Lakes, marshes and flooded fields of India, Sri Lanka, Nepal, Burma, "
                       "Thailand and Indochina.",
            recordings=[
                rec("X", "Bill-clattering at a nesting colony", "PREK TOAL", "K. Orvin",
                    "2004-02-19", "10:10", file=20),
                heard("keoladeo-marsh", "A", "Bill-clattering at the nests"),
            ],
            pictures=[
                pic("Adults at the nest", "J. Vautrelle", "1995-03-11", "KEOLADEO"),
                pic("Adult feeding", "K. Orvin", "2002-08-22", "PREK TOAL"),
            ]),
        Species(
            "Anastomus oscitans", "Asian Openbill",
            areas="IN SR NE BU TH IC MA", author=4,
            maps=[("Solvara", "main")],
            text="A grey-white stork with black wings and a dull horn-coloured bill whose "
                 "halves meet only at the tip, leaving a gap; the bill is a tool for handling "
                 "apple snails, its main food. Flocks soar high on thermals.",
            range_text="Wetlands and paddies of India, Sri Lanka, Nepal, Burma, Thailand and "
                       "Indochina; now spreading south into Peninsular Malaysia and beyond.",
            recordings=[
                rec("X", "Bill-clattering and moaning calls", "PREK TOAL", "K. Orvin",
                    "2004-02-19", "10:30", file=13),
                rec("A", "Flock taking off", "KOSHI TAPPU", "T. Brannick", "2001-02-23",
                    file=9),
            ],
            pictures=[
                pic("Adult with a snail", "M. Callowden", "1996-01-05", "KOSHI TAPPU"),
            ]),
    ]),

    Family("Threskiornithidae", "THRESKIO", "Ibises and Spoonbills", [
        Species(
            "Pseudibis davisoni", "White-shouldered Ibis",
            areas="IC BO", status="CR", letters="A", author=1,
            maps=[("Indochina", "main"), ("Solvara", "mask")],
            text="<B>Critically endangered.</B> A dark brown ibis with a bare black head, a "
                 "pale bluish collar at the back of the neck and white patches on the inner "
                 "forewing that show in flight. Pairs call loudly at dusk with harsh, "
                 "screaming notes.",
            range_text="Dry dipterocarp forest with seasonal pools in northern and eastern "
                       "Cambodia and southern Laos; a tiny population along the Mahakam river "
                       "in Kalimantan, Borneo.",
            recordings=[
                rec("X", "Screaming calls at the roost", "TMATBOEY", "K. Orvin",
                    "2007-03-12", "17:55", file=15),
                rec("A", "Calls in flight", "TMATBOEY", "K. Orvin", "2007-03-13", "06:05",
                    file=7, number=60),
            ],
            pictures=[
                pic("Adult at a forest pool", "K. Orvin", "2003-06-16", "TMATBOEY"),
            ]),
        Species(
            "Thaumatibis gigantea", "Giant Ibis",
            areas="IC", status="CR", letters="MS", author=2,
            maps=[("Indochina", "main")],
            text="<B>Critically endangered.</B> The largest ibis: dark grey-brown with a "
                 "bare, wrinkled grey head and neck, dark bars across the nape and pale grey "
                 "wing coverts with black bars. Pairs call in duet at dawn with loud, "
                 "resonant notes.",
            range_text="Pools and grassy clearings in dry dipterocarp forest of northern "
                       "Cambodia and southern Laos; formerly Thailand and Vietnam.",
            recordings=[
                rec("X", "Duet of a pair at dawn", "TMATBOEY", "K. Orvin", "2007-03-14",
                    "05:35", file=22),
                rec("A", "Calls of a single bird", "TMATBOEY", "K. Orvin", "2007-03-14",
                    "05:50", file=8, part_of_previous=True),
            ],
            pictures=[
                pic("Adult in dry forest", "K. Orvin", "1997-11-27", "TMATBOEY"),
                pic("Pair at a drying pool", "J. Vautrelle", "1991-04-10", "TMATBOEY", flags="X1"),
            ]),
        Species(
            "Platalea minor", "Black-faced Spoonbill",
            areas="IC CH HK TA", status="EN", author=3,
            maps=[("South China and Taiwan", "main"), ("Solvara", "mask")],
            text="<B>Endangered.</B> A white spoonbill whose black facial skin runs right "
                 "round the base of the bill; breeding adults have a yellowish crest and "
                 "breast patch. Counted in the low hundreds in the 1990s, it now numbers a "
                 "few thousand.",
            range_text="Breeds on islets off Korea and north-east China; winters on estuaries "
                       "and fish ponds of Taiwan, Hong Kong, southern China and northern "
                       "Vietnam.",
            recordings=[
                rec("X", "Grunting calls at the roost", "ZENGWEN", "L. Ostevik",
                    "2010-01-09", file=6, number=40),
                rec("A", "Bill-clattering", "MAI PO", "L. Ostevik", "2013-12-15", "14:20",
                    file=5, play=False),
            ],
            pictures=[
                pic("Wintering flock", "L. Ostevik", "1998-09-21", "ZENGWEN"),
                pic("Adult in breeding plumage", "J. Vautrelle", "1992-02-04", "MAI PO"),
                pic("Adult feeding", "N. Tavrinen", "1999-07-15", "MAI PO", flags="NSS"),
            ]),
    ]),

    Family("Accipitridae", "ACCIPITR", "Hawks, Eagles and Vultures", [
        Species(
            "Pithecophaga jefferyi", "Philippine Eagle",
            areas="PH", status="CR", letters="AS", author=4,
            maps=[("Philippines", "main")],
            other="Monkey-eating Eagle",
            text="<B>Critically endangered.</B> One of the largest eagles in the world, with "
                 "a shaggy crest of long, streaked buff feathers, a deep blue-grey bill and "
                 "pale underparts. A pair raises a single young every two years; the young "
                 "bird begs with loud, high whistles.",
            range_text="Primary forest on Luzon, Samar, Leyte and Mindanao; most of the "
                       "remaining pairs live on Mindanao.",
            recordings=[
                rec("X", "Begging calls of a young bird", "KITANGLAD", "S. Quillon",
                    "2009-05-22", "09:40", cd=(9, 10, 12.0), about=("Juvenile", "")),
                rec("A", "Calls of an adult", "KITANGLAD", "S. Quillon", "2009-05-23",
                    file=9),
            ],
            pictures=[
                pic("Adult on a dead branch", "S. Quillon", "1993-12-26", "KITANGLAD"),
                pic("Young bird at the nest", "S. Quillon", "2000-05-09", "KITANGLAD", flags="X1"),
            ]),
        Species(
            "Nisaetus bartelsi", "Javan Hawk-Eagle",
            areas="JA", status="EN", author=1,
            maps=[("Sundaland", "main")],
            text="<B>Endangered.</B> A medium-sized forest eagle with a long black crest, "
                 "rich chestnut head and neck and barred underparts. Its call is a shrill, "
                 "rising scream. Indonesia holds it up as a living image of the mythical "
                 "Garuda.",
            range_text="Forest, mostly in the hills and mountains, on Java only.",
            recordings=[
                rec("X", "Shrill calls", "GEDE", "R. Pellandre", "1999-09-04", "10:15",
                    cd=(9, 10, 9.0)),
                rec("A", "Calls of a pair", "GEDE", "R. Pellandre", "1999-09-05", file=8,
                    number=80),
            ],
            pictures=[
                pic("Adult perched", "R. Pellandre", "1994-10-20", "GEDE"),
            ]),
        Species(
            "Gyps bengalensis", "White-rumped Vulture",
            areas="IN NE BU IC", status="CR", author=2,
            maps=[("Solvara", "mask main")],
            other="Oriental White-backed Vulture",
            text="<B>Critically endangered.</B> A dark vulture with a white rump and lower "
                 "back and white underwing coverts that contrast with the dark flight "
                 "feathers. Its numbers fell by more than 95 per cent in the 1990s, when "
                 "vultures fed on carcasses of cattle treated with the drug diclofenac.",
            range_text="Open country near villages from Pakistan and India to Nepal and "
                       "Burma; small remnant populations in Cambodia and Laos.",
            recordings=[
                rec("X", "Squabbling at a carcass", "CHITWAN", "T. Brannick", "2014-12-08",
                    "11:30", file=24),
                rec("A", "Hissing and grunting", "TMATBOEY", "K. Orvin", "2007-03-15",
                    file=11),
            ],
            pictures=[
                pic("Adults at a carcass", "T. Brannick", "2001-03-03", "CHITWAN"),
                pic("Adult in flight from below", "N. Tavrinen", "1995-08-14", "TMATBOEY"),
            ]),
        Species(
            "Spilornis cheela", "Crested Serpent Eagle",
            areas="IN SR NE BU TH IC MA SI BO SU JA BA CH HK TA PH", letters="SE", author=3,
            maps=[("Solvara", "main")],
            subspecies="cheela melanotis spilogaster burmanicus ricketti hoya malayensis "
                       "pallidus bido palawanensis",
            text="A dark brown eagle with a short black-and-white crest, bare yellow face and "
                 "white spots below; in flight a broad white band crosses the wings and the "
                 "tail. Soaring pairs give loud, ringing whistles, <I>kluee-wip-wip</I>.",
            range_text="Forest and wooded country throughout the region, from the plains into "
                       "the hills; many island forms differ in size and colour.",
            recordings=[
                rec("X", "Ringing whistles of a soaring pair", "CHITWAN", "T. Brannick",
                    "1997-02-04", "10:20", cd=(9, 9, 9.0), ssp="cheela"),
                rec("X", "Calls", "YALA", "H. Kestowe", "2006-09-07", "09:10", file=10,
                    ssp="spilogaster"),
                rec("A", "Calls from a perch", "KHAO YAI", "K. Orvin", "1995-03-13",
                    "08:15", cd=(9, 9, 8.0), ssp="burmanicus"),
                rec("X", "Calls", "DASYUESHAN", "L. Ostevik", "2012-05-02", file=8,
                    ssp="hoya"),
                rec("X", "Calls", "TAMAN NEGARA", "A. Vandrel", "2001-06-21", "11:00",
                    cd=(9, 9, 8.5), ssp="malayensis"),
                rec("B", "Calls", "KINABATANGAN", "A. Vandrel", "2010-03-15", file=7,
                    ssp="pallidus (P)", play=False),
                rec("X", "Calls of a pair", "BALURAN", "R. Pellandre", "2002-08-13",
                    "09:45", file=9, ssp="bido"),
                rec("A", "Calls", "SABANG", "S. Quillon", "2011-03-10", file=6,
                    ssp="palawanensis"),
            ],
            pictures=[
                pic("Adult perched", "M. Callowden", "2002-01-25", "KHAO YAI", ssp="burmanicus"),
                pic("Adult in flight", "D. Mervaine", "1996-06-08", "CHITWAN", ssp="cheela"),
                pic("Adult of the Taiwan race", "L. Ostevik", "2003-11-19", "DASYUESHAN", ssp="hoya"),
            ]),
        Species(
            "Haliastur indus", "Brahminy Kite",
            areas="IN SR NE BU TH IC MA SI BO SU JA BA CH HK PH", author=4,
            maps=[("Solvara", "main")],
            subspecies="indus intermedius",
            text="Adults are bright chestnut with a white head and breast; young birds are "
                 "brown. It often scavenges around harbours and fishing villages. The call is "
                 "a thin, wheezy, drawn-out mew.",
            range_text="Coasts, rivers, lakes and paddies over most of the region; on to "
                       "New Guinea and Australia.",
            recordings=[
                rec("X", "Mewing calls", "KUALA SELANGOR", "A. Vandrel", "2004-08-04",
                    "16:45", file=8, ssp="intermedius"),
                rec("A", "Calls of two birds", "PERIYAR", "H. Kestowe", "1988-11-19",
                    file=7, ssp="indus"),
                rec("B", "Calls over the harbour", "SABANG", "S. Quillon", "2011-03-11",
                    "07:30", file=5, ssp="intermedius (P)", play=False),
            ],
            pictures=[
                pic("Adult", "A. Vandrel", "1997-04-02", "KUALA SELANGOR", ssp="intermedius"),
                pic("Juvenile", "H. Kestowe", "1991-09-13", "PERIYAR", ssp="indus"),
            ]),
    ]),

    Family("Bucerotidae", "BUCEROTI", "Hornbills", [
        Species(
            "Buceros bicornis", "Great Hornbill",
            areas="IN NE BU TH IC MA SU CH", status="VU", letters="AS", author=1,
            maps=[("Solvara", "main")],
            other="Great Pied Hornbill",
            text="<B>Vulnerable.</B> A huge hornbill with a yellow bill and a broad, concave "
                 "casque, a black face and a white neck often stained yellow with preen oil. "
                 "The wingbeats roar like a steam train; the call is a deep, barking "
                 "<I>gok</I>.",
            range_text="Tall evergreen and moist deciduous forest of the Western Ghats, the "
                       "Himalayan foothills, north-east India, South-east Asia and Sumatra.",
            recordings=[
                rec("X", "Barking calls of a pair", "KHAO YAI", "K. Orvin", "1995-03-14",
                    "07:20", cd=(9, 5, 12.0)),
                rec("A", "Wingbeats of birds flying over", "EAGLENEST", "T. Brannick",
                    "2008-04-16", cd=(9, 5, 9.0)),
                heard("khaoyai-dawn", "B", "Calls in the background", play=False),
                rec("C", "Calls", "THATTEKAD", "H. Kestowe", "1990-12-12", "08:50",
                    file=10, number=80),
            ],
            pictures=[
                pic("Male in flight", "M. Callowden", "1998-02-24", "KHAO YAI"),
                pic("Pair at a fruiting fig", "K. Orvin", "1992-07-07", "KHAO YAI"),
                pic("Female", "H. Kestowe", "1999-12-18", "THATTEKAD", flags="NSS X1"),
            ]),
        Species(
            "Rhinoplax vigil", "Helmeted Hornbill",
            areas="BU TH MA BO SU", status="CR", author=2,
            maps=[("Sundaland", "main")],
            text="<B>Critically endangered.</B> Very long white central tail feathers and a "
                 "solid, ivory-like casque, for which it is poached. The call is an "
                 "extraordinary series of hoots that speeds up into a manic cackle.",
            range_text="Tall lowland and hill forest from southern Burma and Thailand through "
                       "Peninsular Malaysia to Sumatra and Borneo.",
            recordings=[
                rec("X", "Hooting series ending in laughter", "DANUM VALLEY", "A. Vandrel",
                    "2006-06-08", "08:10", cd=(9, 6, 16.0)),
                rec("A", "Hooting calls", "TAMAN NEGARA", "A. Vandrel", "2001-06-22",
                    cd=(9, 6, 9.0)),
            ],
            pictures=[
                pic("Male at a fig tree", None, None, None, flags="NSS"),
                pic("Male in flight", "D. Mervaine", "2000-10-12", "DANUM VALLEY"),
            ]),
        Species(
            "Anthracoceros albirostris", "Oriental Pied Hornbill",
            areas="IN NE BU TH IC MA SI BO SU CH", author=3,
            maps=[("Sundaland", "main"), ("Solvara", "mask")],
            subspecies="albirostris convexus",
            text="A medium-sized black and white hornbill with a pale yellow bill and casque, "
                 "a white patch below the eye and white edges to the wings. Noisy groups "
                 "give loud cackling and yelping calls.",
            range_text="Forest edge, secondary forest, plantations and coastal woods from "
                       "northern India and Nepal through South-east Asia to Sumatra and "
                       "Borneo.",
            recordings=[
                rec("X", "Cackling calls of a group", "KAENG KRACHAN", "K. Orvin",
                    "2000-01-28", "07:40", cd=(9, 7, 10.0), ssp="albirostris"),
                rec("A", "Calls", "KINABATANGAN", "A. Vandrel", "2010-03-16", "17:10",
                    cd=(9, 7, 11.0), ssp="convexus"),
            ],
            pictures=[
                pic("Adult", "A. Vandrel", "1994-03-23", "DANUM VALLEY", ssp="convexus"),
                pic("Pair in a riverside tree", "D. Mervaine", "2001-08-06", "KINABATANGAN",
                    ssp="convexus"),
            ]),
        Species(
            "Buceros rhinoceros", "Rhinoceros Hornbill",
            areas="TH MA BO SU JA", status="VU", letters="MS",
            maps=[("Sundaland", "main")],
            subspecies="rhinoceros borneoensis silvestris",
            text="<B>Vulnerable.</B> A large black hornbill with a white belly and tail band "
                 "and a red and yellow casque that curls upward like a horn. The flight call "
                 "is a loud <I>gronk</I>; pairs call in duet.",
            range_text="Tall lowland and hill forest of southern Thailand, Peninsular "
                       "Malaysia, Borneo, Sumatra and Java.",
            recordings=[
                rec("X", "<I>Gronk</I> calls of a pair", "TAMAN NEGARA", "A. Vandrel",
                    "2001-06-23", "07:05", cd=(9, 8, 12.0), ssp="rhinoceros",
                    name="tamannegara-morning",
                    cut_note="A Banded Kingfisher whistles nearby"),
                rec("A", "Flight calls", "DANUM VALLEY", "A. Vandrel", "2006-06-09",
                    cd=(9, 8, 10.0), ssp="borneoensis"),
                rec("B", "Calls", "WAY KAMBAS", "R. Pellandre", "1993-07-11", file=8,
                    ssp="rhinoceros", play=False),
            ],
            pictures=[
                pic("Male", "M. Callowden", "1995-01-17", "TAMAN NEGARA", ssp="rhinoceros"),
                pic("Female", "A. Vandrel", "2002-06-28", "DANUM VALLEY", ssp="borneoensis"),
            ]),
        Species(
            "Ocyceros griseus", "Malabar Grey Hornbill",
            areas="IN", letters="NS", author=4,
            text="A small grey-brown hornbill with a pale stripe over the eye, rufous under "
                 "the tail and a smallish orange-yellow bill without a real casque. Its "
                 "cackling, laughing calls are among the typical sounds of the Western "
                 "Ghats.",
            range_text="Forest of the Western Ghats of south-western India.",
            recordings=[
                rec("X", "Cackling calls", "THATTEKAD", "H. Kestowe", "1990-12-13",
                    "07:30", file=12),
                rec("A", "Calls of a pair", "PERIYAR", "H. Kestowe", "1988-11-20", file=9),
            ],
            pictures=[
                pic("Adult in a fruiting tree", "H. Kestowe", "1996-11-11", "THATTEKAD"),
            ]),
        Species(
            "Aceros nipalensis", "Rufous-necked Hornbill",
            areas="IN BU TH IC CH", status="VU", author=1,
            maps=[("Indochina", "mask main")],
            text="<B>Vulnerable.</B> The male has a rufous head, neck and underparts, the "
                 "female is black; both have a pale yellow bill with dark ridges on the "
                 "upper half, blue skin round the eye, a red throat pouch and a white-tipped "
                 "tail.",
            range_text="Broadleaf evergreen forest in the hills of north-east India, Bhutan, "
                       "Burma, western Thailand, Laos, Vietnam and southern China; gone from "
                       "Nepal.",
            recordings=[
                rec("X", "Barking calls", "EAGLENEST", "T. Brannick", "2008-04-17", "09:20",
                    file=10),
                rec("A", "Calls and wingbeats", "HUAI KHA KHAENG", "K. Orvin", "1996-02-15",
                    file=14, number="?"),
            ],
            pictures=[
                pic("Male", "T. Brannick", "2003-04-22", "EAGLENEST"),
                pic("Female", "K. Orvin", "1997-09-05", "HUAI KHA KHAENG"),
            ]),
    ]),

    Family("Alcedinidae", "ALCEDINI", "Kingfishers", [
        Species(
            "Alcedo atthis", "Common Kingfisher",
            areas="IN SR NE BU TH IC MA SI BO SU JA BA CH HK TA PH", author=2,
            maps=[("Solvara", "main")],
            subspecies="bengalensis taprobana floresiana",
            text="A small kingfisher with brilliant blue upperparts, orange underparts and "
                 "orange ear coverts; the female has an orange-red base to the lower "
                 "mandible. It flies fast and low over water with a shrill <I>tzee</I>.",
            range_text="Streams, ponds, ditches and mangroves throughout the region; northern "
                       "birds move south in winter.",
            recordings=[
                rec("X", "Flight calls", "SUNGEI BULOH", "A. Vandrel", "2007-11-03",
                    "08:00", file=4, ssp="bengalensis", name="buloh-mangrove",
                    cut_text="Morning in the mangroves",
                    cut_note="Yellow-vented Bulbuls and Javan Mynas call around"),
                rec("A", "Calls", "YALA", "H. Kestowe", "2006-09-08", file=5,
                    ssp="taprobana"),
                rec("B", "Calls", "BALI BARAT", "R. Pellandre", "2005-06-14", file=5,
                    ssp="floresiana (P)", play=False),
            ],
            pictures=[
                pic("Perched over a stream", "K. Orvin", "1991-02-16", "KHAO YAI", ssp="bengalensis"),
                pic("Female with a fish", "J. Vautrelle", "1998-07-27", "MAI PO", ssp="bengalensis"),
            ]),
        Species(
            "Halcyon smyrnensis", "White-throated Kingfisher",
            areas="IN SR NE BU TH IC MA SI SU CH HK PH", letters="SE", author=3,
            maps=[("Solvara", "main")],
            subspecies="fusca perpulchra fokiensis gularis",
            other="White-breasted Kingfisher",
            text="Chestnut head and underparts with a white throat and bib, a bright "
                 "turquoise back and a heavy red bill; white patches show on the wings in "
                 "flight. Its loud, whinnying trill is a common sound of farmland.",
            range_text="Open country, cultivation and gardens, often far from water, from "
                       "India and Sri Lanka to South-east Asia, southern China and the "
                       "Philippines.",
            recordings=[
                rec("X", "Whinnying trill", "KEOLADEO", "T. Brannick", "1996-01-17",
                    "09:30", cd=(9, 11, 9.5), ssp="fusca (P)"),
                rec("A", "Calls", "SINHARAJA", "H. Kestowe", "2000-01-23", file=6,
                    ssp="fusca"),
                rec("X", "Trill from a wire", "KHAO YAI", "K. Orvin", "1995-03-15",
                    cd=(9, 11, 10.5), ssp="perpulchra"),
                rec("X", "Calls", "MAI PO", "L. Ostevik", "2009-04-25", file=7,
                    ssp="fokiensis"),
                rec("X", "Trill", "CANDABA", "S. Quillon", "2008-12-07", "08:05", file=8,
                    ssp="gularis"),
            ],
            pictures=[
                pic("Adult", "M. Callowden", "1992-12-10", "SINHARAJA", ssp="fusca", flags="NSS X1"),
                pic("Adult on a wire", "D. Mervaine", "1999-05-21", "KHAO YAI", ssp="perpulchra"),
                pic("Adult of the Philippine race", "S. Quillon", "1993-10-04", "CANDABA",
                    ssp="gularis"),
            ]),
        Species(
            "Pelargopsis capensis", "Stork-billed Kingfisher",
            areas="IN SR NE BU TH IC MA SI BO SU JA BA PH", letters="S", author=4,
            maps=[("Solvara", "main")],
            subspecies="capensis burmanica malaccensis innominata javana gouldi",
            text="A very large kingfisher with a massive red bill, a brown cap, blue-green "
                 "upperparts and buff underparts. Calls are a loud, laughing "
                 "<I>ke-ke-ke</I> and a drawn-out, mournful whistle.",
            range_text="Wooded rivers, lakes, mangroves and plantations in the lowlands of "
                       "the south and east of the region.",
            recordings=[
                rec("X", "Laughing calls", "KINABATANGAN", "A. Vandrel", "2010-03-17",
                    "06:45", cd=(9, 12, 12.0), ssp="innominata"),
                rec("A", "Mournful whistles", "KUALA SELANGOR", "A. Vandrel", "2004-08-05",
                    cd=(9, 12, 10.0), ssp="malaccensis"),
                rec("B", "Calls", "SINHARAJA", "H. Kestowe", "2000-01-24", file=7,
                    ssp="capensis"),
                rec("C", "Calls at the end of a bout", "KUALA SELANGOR", "A. Vandrel",
                    "2004-08-05", file=5, ssp="malaccensis", number=30, x1=True,
                    play=False),
            ],
            pictures=[
                pic("Adult with a fish, on a branch above the river bank at the end of the "
                    "day, waiting for the next catch", "M. Callowden", None, "KINABATANGAN",
                    ssp="innominata"),
                pic("Adult", "A. Vandrel", "2000-03-15", "KUALA SELANGOR", ssp="malaccensis"),
            ]),
        Species(
            "Lacedo pulchella", "Banded Kingfisher",
            areas="BU TH IC MA BO SU JA", author=1,
            maps=[("Sundaland", "mask main")],
            subspecies="amabilis pulchella melanops",
            text="A forest kingfisher in which the sexes differ: the male has a bright blue "
                 "crown, chestnut cheeks and a back barred black and blue, the female is "
                 "barred rufous and black above. Both have a red bill. The song is a long "
                 "series of whistles that slows and fades.",
            range_text="The interior of evergreen and mixed forest from Burma and Thailand to "
                       "Indochina, Peninsular Malaysia, Sumatra, Java and Borneo.",
            recordings=[
                rec("X", "Song, a long series of whistles", "KAENG KRACHAN", "K. Orvin",
                    "2000-01-29", "06:35", file=20, ssp="amabilis"),
                heard("tamannegara-morning", "B", "Song in the background", ssp="pulchella"),
                rec("A", "Song", "DANUM VALLEY", "A. Vandrel", "2006-06-10", file=15,
                    ssp="melanops"),
            ],
            pictures=[
                pic("Male", "K. Orvin", "1994-08-26", "KAENG KRACHAN", ssp="amabilis"),
                pic("Female", "A. Vandrel", "2001-01-09", "DANUM VALLEY", ssp="melanops"),
            ]),
        Species(
            "Alcedo meninting", "Blue-eared Kingfisher",
            areas="IN SR BU TH IC MA SI BO SU JA", letters="",
            subspecies="coltarti phillipsi scintillans meninting",
            text="Very like the Common Kingfisher but deeper blue above, with blue, not "
                 "orange, ear coverts and darker orange underparts. It perches low in the "
                 "shade over forest streams.",
            range_text="Shaded streams and pools in lowland forest from India and Sri Lanka "
                       "through South-east Asia to Borneo, Sumatra and Java.",
            recordings=[
                rec("X", "High calls in flight", "TAMAN NEGARA", "A. Vandrel", "2001-06-24",
                    file=4, ssp="meninting"),
                rec("A", "Calls", "THATTEKAD", "H. Kestowe", "1990-12-14", file=5,
                    ssp="phillipsi"),
            ],
            pictures=[
                pic("Adult over a forest stream", "A. Vandrel", "1995-06-20", "TAMAN NEGARA",
                    ssp="meninting"),
            ]),
    ]),

    Family("Megalaimidae", "MEGALAIM", "Asian Barbets", [
        Species(
            "Psilopogon haemacephalus", "Coppersmith Barbet",
            areas="IN SR NE BU TH IC MA SI SU JA BA CH PH", author=2,
            maps=[("Solvara", "main")],
            subspecies="indicus delicus roseus haemacephalus",
            other="Crimson-breasted Barbet",
            text="A small, stubby green barbet with a crimson forehead and breast patch, a "
                 "yellow throat and streaked underparts. Its endless <I>tuk ... tuk ... "
                 "tuk</I> sounds like a coppersmith beating metal.",
            range_text="Open woodland, gardens and groves with fruiting figs from India and "
                       "Sri Lanka through South-east Asia to Java, Bali and the Philippines; "
                       "absent from Borneo.",
            recordings=[
                rec("X", "<I>tuk</I> notes", "KEOLADEO", "T. Brannick", "1992-03-19",
                    "11:15", cd=(10, 1, 12.0), ssp="indicus"),
                rec("A", "Song", "CANDABA", "S. Quillon", "2008-12-08", cd=(10, 1, 9.0),
                    ssp="haemacephalus"),
                heard("chitwan-garden", "B", "Song in the background", ssp="indicus",
                      play=False),
                rec("B", "Song", "BALURAN", "R. Pellandre", "2002-08-14", file=10,
                    ssp="roseus (P)"),
            ],
            pictures=[
                pic("Adult at its nest hole", "D. Mervaine", "2002-11-03", "KEOLADEO", ssp="indicus"),
                pic("Adult of the Philippine race", "S. Quillon", "1996-04-14", "CANDABA",
                    ssp="haemacephalus"),
            ]),
        Species(
            "Psilopogon asiaticus", "Blue-throated Barbet",
            areas="IN NE BU TH IC CH", author=3,
            maps=[("Indochina", "main")],
            subspecies="asiaticus davisoni chersonesus",
            text="A green barbet with a bright blue face and throat and a red crown crossed "
                 "by a black band. It calls a loud, rolling <I>tuk-a-rook</I> over and over "
                 "from the top of a tree.",
            range_text="Broadleaf forest, wooded gardens and plantations in the hills from "
                       "the Himalayas and north-east India to Indochina and southern China.",
            recordings=[
                rec("X", "Song", "PHULCHOKI", "T. Brannick", "1989-05-02", "07:00",
                    cd=(10, 2, 11.0), ssp="asiaticus"),
                rec("A", "Song", "DOI INTHANON", "K. Orvin", "1993-12-26", cd=(10, 2, 10.0),
                    ssp="davisoni"),
            ],
            pictures=[
                pic("Adult", "N. Tavrinen", "2003-09-25", "PHULCHOKI", ssp="asiaticus"),
            ]),
        Species(
            "Psilopogon virens", "Great Barbet",
            areas="IN NE BU TH IC CH HK", letters="MS", author=4,
            maps=[("Solvara", "main")],
            subspecies="marshallorum magnificus clamator virens",
            text="The largest barbet: a dark blue head, a big pale yellow bill, a brown "
                 "breast, a streaked belly and a red vent. Its loud, mournful "
                 "<I>piho ... piho</I> rings through montane forest.",
            range_text="Montane broadleaf forest from the Himalayas across northern Burma and "
                       "Thailand to southern China and Hong Kong.",
            recordings=[
                rec("X", "Mournful <I>piho</I> calls", "PHULCHOKI", "T. Brannick",
                    "1989-05-03", "06:40", cd=(10, 3, 12.0), ssp="marshallorum"),
                rec("A", "Song", "TAI PO KAU", "L. Ostevik", "2004-04-12",
                    cd=(10, 3, 10.0), ssp="virens", name="taipokau-spring",
                    cut_text="Spring morning in the forest",
                    cut_note="Light-vented and Red-whiskered Bulbuls call too"),
                rec("B", "Song of two birds", "DOI INTHANON", "K. Orvin", "1993-12-27",
                    file=14, ssp="magnificus (P)"),
            ],
            pictures=[
                pic("Adult", "J. Vautrelle", "1997-02-08", "TAI PO KAU", ssp="virens"),
                pic("Adult feeding on fruit", "T. Brannick", "1991-07-19", "PHULCHOKI",
                    ssp="marshallorum"),
            ]),
        Species(
            "Psilopogon rubricapillus", "Crimson-fronted Barbet",
            areas="SR", letters="NS", author=1,
            maps=[("Sri Lanka", "main")],
            text="A small green barbet with a crimson forehead and a boldly patterned face, "
                 "found only in Sri Lanka. Its fast, soft <I>pop-pop-pop</I> is quicker than "
                 "the Coppersmith's.",
            range_text="Forest, gardens and plantations of Sri Lanka.",
            recordings=[
                rec("X", "Song", "SINHARAJA", "H. Kestowe", "2000-01-25", "08:30", file=11),
                rec("A", "Calls", "SINHARAJA", "H. Kestowe", "2000-01-26", file=6),
            ],
            pictures=[
                pic("Adult", "H. Kestowe", "1998-12-02", "SINHARAJA"),
            ]),
        Species(
            "Psilopogon nuchalis", "Taiwan Barbet",
            areas="TA", author=2,
            maps=[("South China and Taiwan", "main")],
            text="A green barbet with a colourful face: yellow forehead and throat, a red "
                 "spot at the bottom of the throat and blue and black around the eye. Found "
                 "only in Taiwan, it calls with a slow, even series of <I>tok</I> notes.",
            range_text="Broadleaf forest, parks and gardens from the lowlands into the "
                       "mountains of Taiwan.",
            recordings=[
                rec("X", "Song", "DASYUESHAN", "L. Ostevik", "2012-05-03", "07:50", file=13),
                rec("A", "Song", "KENTING", "L. Ostevik", "2016-03-14", file=9),
            ],
            pictures=[
                pic("Adult at its nest hole", "L. Ostevik", "1992-05-13", "DASYUESHAN"),
                pic("Adult", "N. Tavrinen", "1999-10-24", "KENTING"),
            ]),
    ]),

    Family("Pittidae", "PITTIDAE", "Pittas", [
        Species(
            "Hydrornis gurneyi", "Gurney's Pitta",
            areas="BU TH", status="EN", letters="S", author=3,
            maps=[("Indochina", "main")],
            text="<B>Endangered.</B> The male has a blue crown, a black face, yellow "
                 "underparts barred black on the flanks and a black belly patch; the female "
                 "is browner with a buff crown. Rediscovered in southern Thailand in 1986 "
                 "after more than thirty years without a record.",
            range_text="Lowland evergreen forest in peninsular Thailand and southern Burma; "
                       "most birds live in Tanintharyi, Burma.",
            recordings=[
                rec("X", "Short song of a male", "KHAO NOR CHUCHI", "K. Orvin",
                    "1988-05-06", "07:15", cd=(10, 4, 9.0), about=("Adult male", "")),
                rec("A", "Alarm calls", "KHAO NOR CHUCHI", "K. Orvin", "1988-05-07",
                    cd=(10, 4, 8.0), number=60),
            ],
            pictures=[
                pic("Male on the forest floor", "K. Orvin", "1993-03-07", "KHAO NOR CHUCHI"),
                pic("Female", "M. Callowden", "2000-08-18", "KHAO NOR CHUCHI"),
            ]),
        Species(
            "Pitta nympha", "Fairy Pitta",
            areas="CH HK TA BO", status="VU", author=4,
            maps=[("Solvara", "mask main")],
            text="<B>Vulnerable.</B> A pitta with a chestnut crown, black mask, green back, "
                 "turquoise wing patch and red belly. The song is a clear double whistle, "
                 "<I>whi-u, whi-u</I>.",
            range_text="Breeds in broadleaf forest in Japan, Korea, eastern China and Taiwan; "
                       "winters mainly in Borneo.",
            recordings=[
                rec("X", "Song", "TAI PO KAU", "L. Ostevik", "2004-04-13", "06:20",
                    cd=(10, 5, 10.0)),
                rec("A", "Calls of a wintering bird", "KINABATANGAN", "A. Vandrel",
                    "2010-03-18", cd=(10, 5, 8.0)),
            ],
            pictures=[
                pic("Adult singing", "L. Ostevik", "1994-01-01", "TAI PO KAU"),
            ]),
        Species(
            "Pitta brachyura", "Indian Pitta",
            areas="IN SR NE", author=1,
            maps=[("Indian Subcontinent", "main")],
            text="A stout pitta with a black stripe through a buff crown, a white throat, "
                 "green back, blue wing patch and red vent. Its loud whistled "
                 "<I>wheet-tieu</I> is heard mostly at dawn and dusk.",
            range_text="Breeds in the Himalayan foothills and in central and western India; "
                       "winters in southern India and Sri Lanka.",
            recordings=[
                rec("X", "Song at dusk", "CHITWAN", "T. Brannick", "1993-05-15", "18:40",
                    file=10),
                rec("A", "Calls", "YALA", "H. Kestowe", "2006-01-10", file=6),
                rec("B", "Song", "KEOLADEO", "T. Brannick", "1994-07-20", file=8,
                    play=False),
            ],
            pictures=[
                pic("Adult", "H. Kestowe", "2001-06-12", "YALA"),
                pic("Adult calling", "T. Brannick", "1995-11-23", "CHITWAN", flags="NSS"),
            ]),
        Species(
            "Pitta moluccensis", "Blue-winged Pitta",
            areas="BU TH IC MA SI BO SU", author=2,
            maps=[("Indochina", ""), ("Sundaland", "mask main")],
            text="A stocky pitta with a black crown stripe and mask, buff sides to the "
                 "crown, a white throat, buff underparts, a red vent, a green back and a "
                 "large blue wing patch; white patches show in the wings in flight. It sings "
                 "a loud double whistle.",
            range_text="Breeds in the monsoon forests of Burma, Thailand and Indochina; "
                       "winters in Peninsular Malaysia, Singapore, Sumatra and Borneo.",
            recordings=[
                rec("X", "Song", "KAENG KRACHAN", "K. Orvin", "1997-06-02", "06:00", file=9),
                rec("A", "Calls of a wintering bird", "BUKIT TIMAH", "A. Vandrel",
                    "2007-11-08", file=5, number="?"),
            ],
            pictures=[
                pic("Adult", "K. Orvin", "2002-04-06", "KAENG KRACHAN"),
                pic("Tired migrant", "N. Tavrinen", "1996-09-17", "BUKIT TIMAH", flags="NSS"),
            ]),
        Species(
            "Pitta sordida", "Hooded Pitta",
            areas="IN NE BU TH IC MA SI BO SU PH", letters="MS",
            maps=[("Solvara", "main")],
            subspecies="cucullata mulleri sordida palawanensis",
            text="A green pitta with a black head, a chestnut crown in mainland birds, "
                 "bright blue wing coverts and a red vent; white wing patches flash in "
                 "flight. The song is a short double whistle.",
            range_text="Lowland forest and overgrown plantations from the Himalayan foothills "
                       "through South-east Asia to Borneo, Sumatra and the Philippines; "
                       "mainland birds are summer visitors.",
            recordings=[
                rec("X", "Song", "CHITWAN", "T. Brannick", "1993-05-16", "06:10",
                    cd=(10, 6, 9.0), ssp="cucullata"),
                rec("A", "Song", "DANUM VALLEY", "A. Vandrel", "2006-06-12",
                    cd=(10, 6, 9.5), ssp="mulleri"),
                rec("B", "Song", "SABANG", "S. Quillon", "2011-03-12", file=7,
                    ssp="palawanensis"),
            ],
            pictures=[
                pic("Adult", "D. Mervaine", "2003-02-28", "DANUM VALLEY", ssp="mulleri"),
            ]),
    ]),

    Family("Pycnonotidae", "PYCNONOT", "Bulbuls", [
        Species(
            "Pycnonotus jocosus", "Red-whiskered Bulbul",
            areas="IN NE BU TH IC CH HK", letters="ASE", author=1,
            maps=[("Indochina", ""), ("Solvara", "mask main")],
            subspecies="jocosus fuscicaudatus abuensis pattani emeria monticola",
            text="A lively bulbul with a tall, pointed black crest, a red tuft behind the "
                 "eye, white cheeks edged black and red under the tail. Its cheerful, "
                 "rolling phrases are heard in gardens all day long.",
            range_text="Scrub, forest edge, gardens and villages from India and Nepal to "
                       "Indochina, southern China and Hong Kong; introduced in many places "
                       "around the world.",
            recordings=[
                rec("X", "Song", "MAI PO", "L. Ostevik", "2009-04-26", "07:40",
                    cd=(10, 7, 8.0), ssp="jocosus"),
                heard("taipokau-spring", "B", "Calls", ssp="jocosus"),
                rec("X", "Song", "PERIYAR", "H. Kestowe", "1988-11-21", file=9,
                    ssp="fuscicaudatus"),
                rec("X", "Song", "KHAO YAI", "K. Orvin", "1995-03-16", "08:30",
                    cd=(10, 7, 8.5), ssp="pattani"),
                rec("A", "Song and calls", "DOI INTHANON", "K. Orvin", "1993-12-28",
                    cd=(10, 7, 8.0), ssp="pattani (P)"),
                rec("X", "Calls", "KAZIRANGA", "T. Brannick", "1998-03-16", file=6,
                    ssp="emeria (P)"),
                rec("X", "Song", "CHITWAN", "T. Brannick", "1997-02-05", "07:10", file=10,
                    ssp="monticola", name="chitwan-garden",
                    cut_text="Village garden at the park edge",
                    cut_note="A Red-vented Bulbul and a Coppersmith Barbet join in"),
            ],
            pictures=[
                pic("Adult", "K. Orvin", "1997-07-11", "KHAO YAI", ssp="pattani"),
                pic("Adult in a garden", "L. Ostevik", "1991-12-22", "TAI PO KAU", ssp="jocosus"),
            ]),
        Species(
            "Pycnonotus cafer", "Red-vented Bulbul",
            areas="IN SR NE BU CH", author=2,
            maps=[("Indian Subcontinent", "main")],
            subspecies="cafer haemorrhousus bengalensis melanchimus stanfordi",
            text="A dark brown bulbul with a black head and short crest, a scaly breast, a "
                 "white rump and a red vent. Its cheery calls are one of the commonest sounds "
                 "of Indian towns and villages.",
            range_text="Dry scrub, gardens and cultivation from Pakistan and India to Sri "
                       "Lanka, Nepal, Burma and Yunnan.",
            recordings=[
                rec("X", "Song", "KEOLADEO", "T. Brannick", "1992-03-20", "07:05",
                    cd=(10, 8, 10.0)),
                rec("A", "Song", "YALA", "H. Kestowe", "2006-09-11", cd=(10, 8, 9.0),
                    ssp="haemorrhousus"),
                heard("chitwan-garden", "B", "Calls", ssp="bengalensis"),
                rec("C", "Calls", "KAZIRANGA", "T. Brannick", "1998-03-17", file=6,
                    ssp="stanfordi (P)", play=False, number="?"),
            ],
            pictures=[
                pic("Adult", "D. Mervaine", "1998-05-05", "KEOLADEO"),
                pic("Adult of the Sri Lanka race", "H. Kestowe", "1992-10-16", "YALA",
                    ssp="haemorrhousus"),
            ]),
        Species(
            "Pycnonotus goiavier", "Yellow-vented Bulbul",
            areas="TH IC MA SI BO SU JA BA PH", author=3,
            maps=[("Sundaland", "main")],
            subspecies="jambu personatus analis gourdini goiavier",
            text="A plain bulbul with a dark crown, a white stripe over the eye, a brown back, "
                 "whitish underparts and a bright yellow vent. Its bubbling, chattering "
                 "calls are a background sound of gardens and parks.",
            range_text="Scrub, gardens, mangroves and cultivation from Thailand and Indochina "
                       "to the Greater Sundas, Bali and the Philippines.",
            recordings=[
                rec("X", "Bubbling song", "BUKIT TIMAH", "A. Vandrel", "2007-11-09",
                    "07:20", file=8, ssp="personatus"),
                heard("buloh-mangrove", "B", "Calls", ssp="personatus"),
                rec("A", "Song", "CANDABA", "S. Quillon", "2008-12-09", file=7,
                    ssp="goiavier"),
                rec("A", "Song", "BALI BARAT", "R. Pellandre", "2005-06-15", file=6,
                    ssp="analis"),
                rec("D", "Chattering of a flock", "KINABATANGAN", "A. Vandrel",
                    "2010-03-19", file=9, ssp="gourdini", play=False),
            ],
            pictures=[
                pic("Adult", "A. Vandrel", "1999-03-27", "SUNGEI BULOH", ssp="personatus"),
                pic("Adult bathing", "N. Tavrinen", "1993-08-10", "BUKIT TIMAH", ssp="personatus"),
            ]),
        Species(
            "Pycnonotus zeylanicus", "Straw-headed Bulbul",
            areas="MA SI BO", status="CR", letters="S", author=4,
            maps=[("Sundaland", "mask main")],
            text="<B>Critically endangered.</B> A large bulbul with a golden-straw crown and "
                 "cheeks, a black stripe below the cheek and a grey-brown body. Its rich, loud "
                 "warbling song made it a prized cage bird, and trapping has emptied most of "
                 "its range.",
            range_text="Riverside scrub and forest edge in Peninsular Malaysia, Singapore and "
                       "Borneo; it has vanished from Thailand, Burma and Java, and nearly so "
                       "from Sumatra.",
            recordings=[
                rec("X", "Loud warbling song", "PULAU UBIN", "A. Vandrel", "2007-11-12",
                    "07:45", cd=(10, 9, 12.0)),
                rec("A", "Song of two birds", "KINABATANGAN", "A. Vandrel", "2010-03-20",
                    cd=(10, 9, 11.0)),
            ],
            pictures=[
                pic("Adult singing by a river", "A. Vandrel", "2000-01-21", "PULAU UBIN"),
            ]),
        Species(
            "Pycnonotus sinensis", "Light-vented Bulbul",
            areas="IC CH HK TA", letters="NS", author=1,
            maps=[("South China and Taiwan", "main")],
            subspecies="sinensis hainanus formosae",
            other="Chinese Bulbul",
            text="A greyish-olive bulbul with a black head, a white patch on the back of the "
                 "crown, a small white ear spot and pale underparts. Flocks chatter noisily "
                 "in parks and hedges.",
            range_text="Gardens, scrub and farmland in central and southern China, Hong Kong, "
                       "Taiwan and northern Vietnam.",
            recordings=[
                rec("X", "Song", "MAI PO", "L. Ostevik", "2009-04-27", file=8,
                    ssp="sinensis"),
                heard("taipokau-spring", "B", "Calls", ssp="sinensis", play=False),
                rec("A", "Calls of a flock", "ZENGWEN", "L. Ostevik", "2010-01-10", file=7,
                    ssp="formosae"),
            ],
            pictures=[
                pic("Adult", "L. Ostevik", "1994-06-04", "MAI PO", ssp="sinensis"),
            ]),
        Species(
            "Pycnonotus taivanus", "Styan's Bulbul",
            areas="TA", status="VU", author=2,
            text="<B>Vulnerable.</B> Close to the Light-vented Bulbul but with an all-black "
                 "crown and a black stripe below the white throat. It interbreeds with that "
                 "species where their ranges meet, which threatens it more than anything "
                 "else.",
            range_text="Found only in Taiwan: lowland scrub, farmland and villages of the east "
                       "and the far south.",
            recordings=[
                rec("X", "Song", "KENTING", "L. Ostevik", "2016-03-15", "06:50", file=8),
                rec("A", "Calls", "KENTING", "L. Ostevik", "2016-03-15", "07:05", file=5,
                    part_of_previous=True),
            ],
            pictures=[
                pic("Adult", "L. Ostevik", "2001-11-15", "KENTING"),
            ]),
    ]),

    Family("Sturnidae", "STURNIDA", "Starlings and Mynas", [
        Species(
            "Leucopsar rothschildi", "Bali Myna",
            areas="BA", status="CR", letters="AS", author=3,
            maps=[("Sundaland", "main")],
            other="Bali Starling; Rothschild's Myna",
            text="<B>Critically endangered.</B> A snow-white starling with black tips to the "
                 "wings and tail, a drooping crest and bare blue skin around the eye. "
                 "Trapping for the cage-bird trade brought it to the edge of extinction in "
                 "the wild; birds bred in captivity have been released since the 1980s.",
            range_text="Dry monsoon forest and savanna of West Bali National Park, with "
                       "released birds on Nusa Penida; found only on Bali.",
            recordings=[
                rec("X", "Song of harsh and whistled notes", "BALI BARAT", "R. Pellandre",
                    "2005-06-16", "06:45", cd=(10, 11, 12.0)),
                rec("A", "Alarm calls", "BALI BARAT", "R. Pellandre", "2005-06-16",
                    cd=(10, 11, 9.0)),
            ],
            pictures=[
                pic("Adult", "M. Callowden", "1995-04-26", "BALI BARAT"),
                pic("Pair at a nest box", "R. Pellandre", "2002-09-09", "BALI BARAT"),
                pic("Adult preening", "J. Vautrelle", "1996-02-20", "BALI BARAT", flags="NSS"),
            ]),
        Species(
            "Gracula religiosa", "Common Hill Myna",
            areas="IN SR NE BU TH IC MA SI BO SU JA BA CH PH", letters="SE", author=4,
            maps=[("Solvara", "main")],
            subspecies="indica peninsularis intermedia religiosa palawanensis",
            other="Hill Myna",
            text="A glossy black myna with bright yellow wattles on the head, an orange bill "
                 "and white wing patches. Its loud whistles, gurgles and shrieks, and its "
                 "gift for copying speech, have made it a favourite cage bird.",
            range_text="Forest edge and clearings in the lowlands and hills from India and "
                       "Sri Lanka to southern China, South-east Asia, the Greater Sundas, Bali "
                       "and Palawan.",
            recordings=[
                rec("X", "Loud whistles", "THATTEKAD", "H. Kestowe", "1990-12-15", "07:50",
                    file=10, ssp="indica"),
                rec("X", "Whistles and gurgles", "KAZIRANGA", "T. Brannick", "1998-03-18",
                    "06:55", cd=(10, 10, 9.0), ssp="intermedia"),
                rec("A", "Calls of a pair", "KHAO YAI", "K. Orvin", "1995-03-17",
                    cd=(10, 10, 8.0), ssp="intermedia"),
                rec("X", "Shrieks and whistles", "TAMAN NEGARA", "A. Vandrel", "2001-06-25",
                    cd=(10, 10, 8.5), ssp="religiosa"),
                rec("X", "Calls", "SABANG", "S. Quillon", "2011-03-13", file=7,
                    ssp="palawanensis"),
            ],
            pictures=[
                pic("Adult", "K. Orvin", "2003-07-03", "KHAO YAI", ssp="intermedia"),
                pic("Pair at a nest hole", "A. Vandrel", "1997-12-14", "TAMAN NEGARA",
                    ssp="religiosa"),
            ]),
        Species(
            "Acridotheres tristis", "Common Myna",
            areas="IN SR NE BU TH IC MA SI CH", author=1,
            maps=[("Solvara", "mask main")],
            text="A brown myna with a glossy black head, bare yellow skin behind the eye, a "
                 "yellow bill and legs and white wing patches. Bold and noisy, it has "
                 "followed people into towns and is among the most widespread invasive "
                 "birds of the world.",
            range_text="Open country, farms and towns from India and Sri Lanka to Indochina "
                       "and southern China; introduced to Peninsular Malaysia, Singapore and "
                       "many places beyond the region.",
            recordings=[
                rec("X", "Varied chattering song", "CHITWAN", "T. Brannick", "1997-02-06",
                    cd=(10, 12, 10.0)),
                rec("A", "Roosting chorus", "KEOLADEO", "T. Brannick", "1992-03-21",
                    "18:20", cd=(10, 12, 12.0)),
            ],
            pictures=[
                pic("Adult", "D. Mervaine", "1991-05-25", "CHITWAN"),
                pic("Adult with nest material", None, "1998-10-08", "KEOLADEO"),
            ]),
        Species(
            "Acridotheres javanicus", "Javan Myna",
            areas="MA SI SU JA BA", status="VU", author=2,
            maps=[("Sundaland", "main")],
            other="White-vented Myna (in part)",
            text="<B>Vulnerable.</B> A dark grey myna with a small tuft at the base of the "
                 "bill, a yellow bill and legs, white wing patches and a white vent. Abundant "
                 "where it has been introduced, it has become scarce in its Javan home "
                 "through trapping.",
            range_text="Native to Java and Bali; introduced and now common in Singapore, "
                       "Peninsular Malaysia and Sumatra.",
            recordings=[
                rec("X", "Song", "BALURAN", "R. Pellandre", "2002-08-15", "07:00", file=9),
                heard("buloh-mangrove", "B", "Calls"),
                rec("A", "Calls at a roost", "BUKIT TIMAH", "A. Vandrel", "2007-11-10",
                    "18:30", file=11),
            ],
            pictures=[
                pic("Adult", "N. Tavrinen", "1992-03-19", "SUNGEI BULOH"),
            ]),
        Species(
            "Sturnia malabarica", "Chestnut-tailed Starling",
            areas="IN NE BU TH IC CH", author=3,
            maps=[("Solvara", "main")],
            subspecies="malabarica nemoricola",
            other="Grey-headed Myna",
            text="A small starling with a silvery grey head, rufous underparts and chestnut "
                 "outer tail feathers; the bill is blue at the base and yellow at the tip. "
                 "Flocks gather at flowering trees.",
            range_text="Open wooded country from India and Nepal to Burma, Thailand, "
                       "Indochina and Yunnan; northern birds move south in winter.",
            recordings=[
                rec("X", "Song", "KAZIRANGA", "T. Brannick", "1998-03-19", file=8,
                    ssp="malabarica"),
                rec("A", "Calls of a flock", "HUAI KHA KHAENG", "K. Orvin", "1996-02-16",
                    file=6, ssp="nemoricola"),
            ],
            pictures=[
                pic("Adult at a flowering tree", "T. Brannick", "1999-08-02", "KAZIRANGA",
                    ssp="malabarica"),
            ]),
    ]),
]
