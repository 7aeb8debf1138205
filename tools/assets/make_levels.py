"""The five levels: their pictures (lit floor opaque, walls dark and
see-through: the alpha channel is the walk mask), level files, dialogue
files, and a check that every level has a safe route from the start to its
way out that no bad guy can see. What a level is made of is in
level_model.py, how its picture is painted in level_paint.py, the checks and
the walkthrough in level_check.py.

Run with --overlay DIR to also draw each level with its route, patrol and
sight lines for inspection."""

import os
import sys

import common as C
from level_check import check, describe
from level_model import Event, Level, R, Circ, MUSIC_TITLE, MUSIC_DREAD
from level_paint import render, table, plate, candle_stub, stain, grate, hung_painting, runner, rug, \
    chalk_circle, coal
from make_fonts import OgfFont

P_FLAME = "data/gfx/portrait_flame.xml"
P_MOTH = "data/gfx/portrait_moth.xml"
P_LADY = "data/gfx/portrait_lady.xml"
P_SNUFFER = "data/gfx/portrait_snuffer.xml"
P_LIBRARIAN = "data/gfx/portrait_librarian.xml"
NONE_DIALOG = "data/dialogs/none.xml"


def gfx(name):
    return "data/gfx/" + name



def once(dialog, again):
    """Script that shows a dialogue the first time and another file after
    that: the first LoadDialog names the file through a console variable
    that does not exist yet (so the name stands for itself); the assignment
    after it makes the same name stand for the other file from then on."""
    return ["LoadDialog( %s );" % dialog, "%s = %s;" % (dialog, again)]


def add_sprite(name, f, pos=None):
    s = ['AddSprite( "%s", "%s" );' % (name, f)]
    if pos is not None:
        s.append('SpriteMoveTo( "%s", %d, %d );' % (name, pos[0], pos[1]))
    return s


# --------------------------------------------------------------------------
# Files

def level_xml(lv):
    root = C.Node("Level")
    script = ['PlayMusic( "%s" );' % lv.music]
    for name, f, pos in lv.sprites:
        script += add_sprite(name, f, pos)
    if lv.intro:
        script += once(*lv.intro)
    root.add(script_node("StartUpExecute", script))
    root.add(C.point_node("PlayerPosition", *lv.start))
    root.add(C.value("LevelBackgroundImage", lv.picture_file))
    root.add(C.value("BackgroundLayer", lv.layer_file))
    evs = root.add(C.Node("AreaEvents"))
    for e in lv.events:
        n = evs.add(C.Node("AreaEvent", attrs={"for_player": "1" if e.player else "0",
                                               "for_badguy": "1" if e.badguy else "0",
                                               "how_many_times": str(e.times)}))
        n.add(C.point_node("Position", *e.pos))
        n.add(C.value("Range", e.range))
        n.add(script_node("Execute", e.script))
    ps = root.add(C.Node("Portals"))
    for (pos, img, nxt) in lv.portals:
        p = ps.add(C.Node("Portal"))
        p.add(C.point_node("Position", *pos))
        p.add(C.value("PortalImage", img))
        p.add(C.value("NextFile", nxt))
    root.add(C.value("BadGuyImage", lv.badguy_image))
    root.add(C.value("BadGuySpeed", lv.speed))
    root.add(C.value("BadGuyAiRange", lv.range))
    root.add(C.value("BadGuyChasesPlayer", lv.chases))
    path = root.add(C.Node("BadGuyPath"))
    for (x, y) in lv.path:
        path.add(C.point_node("PathPoint", x, y))
    for key in ("PlayerEnabled", "BadguyEnabled", "PlayerVisible", "BadguyVisible"):
        root.add(C.value(key, lv.switches.get(key, True)))
    C.write_xml(os.path.join(C.ROOT, lv.file), root)


class ScriptNode(C.Node):
    """Script text written one statement per line; the reader joins the
    trimmed lines without a separator, so every statement ends with ';'."""

    def __init__(self, name, statements):
        C.Node.__init__(self, name)
        for s in statements:
            assert s.endswith(";"), s
            assert "//" not in s and "\n" not in s
        self.statements = statements

    def lines(self, depth=0):
        pad = "  " * depth
        return [pad + "<" + self.name + ">"] + ["  " * (depth + 1) + s for s in self.statements] + [pad + "</" + self.name + ">"]


def script_node(name, statements):
    return ScriptNode(name, statements)


class Line:
    def __init__(self, speaker, text, after=()):
        self.speaker, self.text, self.after = speaker, text, list(after)


WRITE_DIALOGS = False


def dialog(path, lines):
    f = OgfFont("dialog")
    root = C.Node("WittyDialog")
    for ln in lines:
        f.check_text(ln.text)
        assert len(f.wrap(ln.text, 590)) * f.line_height <= 118, ln.text
        assert not f.lone_word(ln.text, 590), ln.text
        for bad in '"<>&':
            assert bad not in ln.text, ln.text
        d = root.add(C.Node("DialogLine"))
        d.add(C.value("SpeakerImage", ln.speaker))
        d.add(C.value("Dialogue", ln.text))
        if ln.after:
            d.add(script_node("AfterExecute", ln.after))
    if WRITE_DIALOGS:
        C.write_xml(os.path.join(C.ROOT, path), root)


def do_dialog(speaker, text):
    for bad in '"()=;<>&':
        assert bad not in text, text
    assert "::" not in text and "//" not in text
    OgfFont("dialog").check_text(text)
    assert not OgfFont("dialog").lone_word(text, 590), text
    return 'DoDialog( "%s", "%s" );' % (speaker, text)


# --------------------------------------------------------------------------
# The levels

def level_01():
    lv = Level(1, "The Cellar", "flagstone")
    lv.floor = [R(40, 400, 262, 570), R(60, 60, 142, 420), R(60, 48, 620, 132), R(582, 38, 772, 232),
                R(300, 250, 602, 522), R(262, 452, 300, 512), R(642, 232, 702, 332), R(602, 282, 642, 332)]
    lv.blocks = [("barrel", Circ(224, 430, 17)), ("barrel", Circ(228, 468, 15)), ("barrel", Circ(66, 548, 15)),
                 ("barrel", Circ(316, 498, 14)), ("barrel", Circ(748, 212, 16))]
    lv.decor = [coal(120, 440), stain(470, 470, 40, (20, 24, 26), 0.5, 881), grate(100, 300, 30, 14),
                stain(400, 90, 30, (30, 34, 30), 0.4, 882), chalk_circle(690, 190, 26)]
    lv.lights = [(150, 480, 170, 0.45, (0.7, 0.8, 1.0)), (100, 230, 150, 0.5, (1.0, 0.78, 0.5)),
                 (340, 90, 200, 0.5, (1.0, 0.78, 0.5)), (460, 320, 230, 0.55, (1.0, 0.8, 0.55)),
                 (690, 110, 190, 0.6, (1.0, 0.8, 0.55))]
    lv.start = (100, 420)
    lv.portals = [((700, 110), gfx("portal_stairs.xml"), "data/levels/level_02.xml")]
    lv.badguy_image = gfx("badguy_washerwoman.xml")
    lv.badguy_size = (40, 40)
    lv.speed, lv.range, lv.chases = 22.0, 200.0, False
    lv.path_start = (340, 300)
    lv.loop = [(360, 320), (540, 320), (540, 470), (360, 470)]
    lv.rest = (450, 300)
    lv.sprites = [("moth", gfx("moth.xml"), (150, 450)), ("tub", gfx("washtub.xml"), (420, 360))]
    lv.intro = ("data/dialogs/l1_intro.xml", "data/dialogs/l1_again.xml")
    lv.events = [
        Event((100, 300), 45, ['SpriteMoveTo( "moth", 300, 74 );']),
        Event((330, 90), 40, ['SpriteMoveTo( "moth", 660, 150 );',
                              do_dialog(P_MOTH, "Hear her scrubbing? She washes the same sheet every night. She will not come after you, but do not let her touch you.")]),
    ]
    lv.route = [(100, 420), (100, 90), (700, 90), (700, 110)]
    lv.preview_dialog = (P_MOTH, "Hear her scrubbing? She washes the same sheet every night. She will not come after you, but do not let her touch you.")
    dialog(lv.intro[0], [
        Line(P_FLAME, "Where... where am I? It is so cold. I can only just feel my own edges."),
        Line(P_MOTH, "Hush, little light. You are a candle flame, the last one burning in this house."),
        Line(P_MOTH, "Something here puts out lights. The servants called it the Snuffer. Every other flame is gone."),
        Line(P_MOTH, "Press on yourself with the left mouse button and drag. Keep to the lit floor: touch a wall and you will let go, and noise brings things running."),
        Line(P_FLAME, "And if they catch me?"),
        Line(P_MOTH, "Then you gutter, and we begin this room again. Follow me. The stairs are in the far corner."),
    ])
    dialog(lv.intro[1], [Line(P_MOTH, "Again. Slower this time, little light.")])
    return lv


def level_02():
    lv = Level(2, "The Kitchen", "tiles")
    lv.floor = [R(210, 150, 632, 472), R(40, 502, 762, 576), R(680, 40, 762, 576), R(40, 150, 180, 472),
                R(180, 282, 210, 342), R(60, 472, 140, 502), R(560, 58, 680, 112), R(560, 112, 620, 150)]
    lv.blocks = [("shelf", R(40, 150, 58, 300)), ("shelf", R(242, 502, 420, 516)), ("shelf", R(600, 502, 680, 516)),
                 ("barrel", Circ(160, 170, 14)), ("shelf", R(744, 250, 762, 420))]
    lv.decor = [table(320, 262, 522, 360, [plate(350, 290), plate(400, 330), plate(470, 292), candle_stub(430, 300),
                                           candle_stub(500, 338)]),
                table(60, 330, 150, 440, [plate(90, 360)]),
                stain(420, 420, 30, (90, 20, 20), 0.45, 891), stain(280, 200, 22, (60, 30, 20), 0.4, 892),
                grate(420, 540, 36, 14)]
    lv.lights = [(420, 300, 230, 0.6, (1.0, 0.8, 0.5)), (110, 300, 150, 0.45, (1.0, 0.8, 0.5)),
                 (150, 540, 160, 0.45, (0.7, 0.8, 1.0)), (520, 540, 200, 0.45, (1.0, 0.8, 0.55)),
                 (720, 300, 200, 0.45, (1.0, 0.8, 0.55)), (720, 90, 130, 0.55, (1.0, 0.8, 0.55))]
    lv.start = (165, 420)
    lv.portals = [((720, 80), gfx("portal_door.xml"), "data/levels/level_03.xml")]
    lv.badguy_image = gfx("badguy_hound.xml")
    lv.badguy_size = (48, 32)
    lv.speed, lv.range, lv.chases = 45.0, 170.0, True
    lv.path_start = (246, 194)
    lv.loop = [(270, 210), (580, 210), (580, 420), (270, 420)]
    lv.rest = (420, 210)
    lv.sprites = [("moth", gfx("moth.xml"), (130, 520)), ("pantrydoor", gfx("pantry_door.xml"), (544, 502))]
    lv.intro = ("data/dialogs/l2_intro.xml", "data/dialogs/l2_again.xml")
    lv.events = [
        Event((480, 538), 50, ['SpritePlayAnimation( "pantrydoor", "open" );']),
        Event((720, 420), 45, ['SpriteMoveTo( "moth", 704, 126 );', 'SpritePlayAnimation( "moth", "rest" );']),
    ]
    lv.route = [(165, 420), (165, 462), (100, 462), (100, 538), (720, 538), (720, 80)]
    lv.preview_dialog = (P_MOTH, "It runs when it sees you. Stay in the pantry passage along the bottom wall; the shelves will hide you.")
    dialog(lv.intro[0], [
        Line(P_MOTH, "The kitchen. Something in here is still hungry. Listen to its claws on the tiles."),
        Line(P_MOTH, "It runs when it sees you. Stay in the pantry passage along the bottom wall; the shelves will hide you."),
    ])
    dialog(lv.intro[1], [Line(P_FLAME, "Its breath was warm. Again, and quietly.")])
    return lv


def level_03():
    lv = Level(3, "The Gallery", "parquet")
    lv.floor = [R(60, 170, 642, 412), R(40, 470, 770, 562), R(690, 50, 770, 562), R(598, 412, 642, 470),
                R(40, 422, 100, 470)]
    lv.blocks = [("pillar", Circ(150, 190, 14)), ("pillar", Circ(300, 190, 14)), ("pillar", Circ(500, 190, 14)),
                 ("pillar", Circ(150, 392, 14)), ("pillar", Circ(300, 392, 14)), ("pillar", Circ(500, 392, 14)),
                 ("shelf", R(690, 50, 704, 160))]
    lv.decor = [runner(100, 270, 600, 312), rug(720, 440, 756, 550, (70, 24, 30), (160, 120, 60)),
                hung_painting(184, 172, 40, 50, 931, "face"), hung_painting(240, 172, 46, 36, 932, "landscape"),
                hung_painting(444, 172, 36, 46, 933, "face"), hung_painting(540, 172, 50, 40, 934, "landscape"),
                hung_painting(110, 360, 44, 36, 935, "landscape"), hung_painting(400, 362, 34, 44, 936, "sigil"),
                hung_painting(560, 364, 36, 44, 937, "face"), hung_painting(708, 180, 40, 50, 938, "face"),
                stain(250, 520, 26, (40, 20, 20), 0.35, 901)]
    lv.lights = [(200, 290, 200, 0.45, (1.0, 0.8, 0.55)), (480, 290, 200, 0.45, (1.0, 0.8, 0.55)),
                 (400, 515, 220, 0.45, (0.7, 0.78, 1.0)), (100, 515, 150, 0.45, (1.0, 0.8, 0.55)),
                 (730, 300, 220, 0.5, (1.0, 0.8, 0.55)), (730, 100, 140, 0.55, (1.0, 0.8, 0.55))]
    lv.start = (70, 429)
    lv.portals = [((730, 100), gfx("portal_stairs.xml"), "data/levels/level_04.xml")]
    lv.badguy_image = gfx("badguy_lady.xml")
    lv.badguy_size = (40, 40)
    lv.speed, lv.range, lv.chases = 30.0, 260.0, True
    lv.path_start = (380, 222)
    lv.loop = [(200, 240), (470, 240), (470, 350), (200, 350)]
    lv.rest = (400, 250)
    lv.switches = {"BadguyVisible": False}
    lv.sprites = [("moth", gfx("moth.xml"), (120, 496)), ("lady_painting", gfx("painting_lady.xml"), (368, 171))]
    lv.intro = ("data/dialogs/l3_intro.xml", "data/dialogs/l3_again.xml")
    lv.events = [
        Event((400, 516), 60, ['SetBadguyShown( 1 );', 'RemoveSprite( "lady_painting" );']
              + add_sprite("empty_painting", gfx("painting_empty.xml"), (368, 171))
              + ['PlayMusic( "%s" );' % MUSIC_DREAD]
              + once("data/dialogs/l3_lady.xml", NONE_DIALOG)),
        Event((730, 400), 45, ['SpriteMoveTo( "moth", 714, 140 );']),
    ]
    lv.route = [(70, 429), (70, 516), (730, 516), (730, 100)]
    lv.preview_dialog = (P_LADY, "You are so warm. Stay with me, just for one night. They all stayed for one night.")
    dialog(lv.intro[0], [
        Line(P_FLAME, "Portraits. Dozens of them, and all of them watching."),
        Line(P_MOTH, "Keep to the servants' passage. And do not look at her for too long."),
    ])
    dialog(lv.intro[1], [Line(P_MOTH, "She is patient. You must be quicker than patience.")])
    dialog("data/dialogs/l3_lady.xml", [
        Line(P_LADY, "You are so warm. Stay with me, just for one night. They all stayed for one night."),
        Line(P_FLAME, "The frame is empty. She is out there, in the gallery."),
    ])
    return lv


def level_04():
    lv = Level(4, "The Library", "planks")
    lv.floor = [R(40, 40, 762, 562)]
    lv.blocks = [("shelf", R(400, 40, 432, 500)),
                 ("shelf", R(140, 400, 400, 424)), ("shelf", R(40, 270, 300, 294)), ("shelf", R(140, 150, 400, 174)),
                 ("shelf", R(560, 180, 584, 380)), ("shelf", R(640, 40, 762, 60)), ("shelf", R(480, 540, 762, 562)),
                 ("shelf", R(40, 40, 120, 58))]
    lv.decor = [table(600, 230, 660, 330, [candle_stub(630, 250)]), table(110, 70, 190, 110, [candle_stub(176, 80)]),
                rug(60, 440, 240, 545, (60, 30, 40), (150, 110, 60)), rug(200, 196, 380, 258, (40, 44, 70), (150, 120, 70)),
                stain(300, 500, 24, (20, 16, 14), 0.4, 911)]
    lv.lights = [(150, 90, 170, 0.55, (1.0, 0.8, 0.55)), (230, 230, 190, 0.4, (1.0, 0.8, 0.55)),
                 (240, 360, 190, 0.4, (1.0, 0.8, 0.55)), (120, 500, 160, 0.45, (0.7, 0.78, 1.0)),
                 (620, 280, 240, 0.5, (1.0, 0.8, 0.55))]
    lv.ambient = 0.38
    lv.start = (80, 420)
    lv.portals = []
    lv.badguy_image = gfx("badguy_librarian.xml")
    lv.badguy_size = (42, 42)
    lv.speed, lv.range, lv.chases = 16.0, 380.0, True
    lv.path_start = (679, 99)
    lv.loop = [(700, 120), (700, 470), (500, 470), (500, 120)]
    lv.rest = (620, 200)
    lv.switches = {"PlayerVisible": False}
    lv.sprites = [("moth", gfx("moth.xml"), (110, 480)), ("key", gfx("key.xml"), (136, 76))]
    lv.intro = ("data/dialogs/l4_intro.xml", "data/dialogs/l4_again.xml")
    lv.events = [
        Event((150, 90), 35, ['RemoveSprite( "key" );',
                              'AddPortal( 330, 90, "data/gfx/portal_passage.xml", "data/levels/level_05.xml" );',
                              'SpriteMoveTo( "moth", 312, 118 );',
                              do_dialog(P_FLAME, "A key, still warm from someone's hand. Somewhere behind me a shelf has swung aside.")]),
        Event((350, 350), 40, once("data/dialogs/l4_librarian.xml", NONE_DIALOG)),
        Event((700, 300), 20, add_sprite("creak", gfx("sound_step.xml")), player=False, badguy=True, times=1),
    ]
    lv.route = [(80, 420), (80, 350), (350, 350), (350, 222), (80, 222), (80, 90), (150, 90), (330, 90)]
    lv.late_portals = [((330, 90), gfx("portal_passage.xml"), "data/levels/level_05.xml")]
    lv.preview_dialog = (P_LIBRARIAN, "Shhh. Someone is turning pages in my library. Someone small, and warm.")
    dialog(lv.intro[0], [
        Line(P_FLAME, "I went out. On the stairs there was a draught, and then nothing at all."),
        Line(P_MOTH, "Breathe, little light. Breathe in the dust of these books.", ["SetPlayerShown( 1 );"]),
        Line(P_MOTH, "There. You are burning again. The librarian reads in the dark and hears every page that turns."),
        Line(P_MOTH, "The way to the chapel is behind a shelf. Find the key on the reading desk, top left."),
    ])
    dialog(lv.intro[1], [Line(P_MOTH, "Breathe again. There. Quietly now.", ["SetPlayerShown( 1 );"])])
    dialog("data/dialogs/l4_librarian.xml", [
        Line(P_LIBRARIAN, "Shhh. Someone is turning pages in my library. Someone small, and warm."),
    ])
    return lv


def level_05():
    lv = Level(5, "The Chapel", "chapel")
    lv.floor = [R(40, 470, 200, 572), R(60, 40, 160, 470), R(60, 40, 742, 122), Circ(400, 60, 62),
                R(222, 160, 580, 572), R(640, 122, 742, 572), R(580, 500, 640, 562)]
    pews = []
    for y in (220, 290, 360, 430):
        pews += [("pew", R(252, y, 366, y + 28)), ("pew", R(436, y, 550, y + 28))]
    lv.blocks = pews + [("pillar", Circ(146, 180, 11)), ("pillar", Circ(146, 330, 11)),
                        ("pillar", Circ(690, 220, 12)), ("pillar", Circ(690, 380, 12))]
    lv.decor = [runner(372, 170, 430, 560), rug(290, 42, 510, 120, (90, 20, 26), (200, 160, 80)),
                table(326, 52, 474, 94, []),
                chalk_circle(120, 520, 30), stain(660, 520, 30, (40, 20, 20), 0.4, 921)]
    lv.lights = [(400, 70, 200, 0.6, (1.0, 0.8, 0.55)), (110, 250, 200, 0.45, (0.85, 0.72, 1.0)),
                 (400, 360, 260, 0.45, (0.85, 0.72, 1.0)), (690, 300, 220, 0.4, (0.85, 0.72, 1.0)),
                 (110, 520, 140, 0.5, (1.0, 0.8, 0.55)), (110, 90, 120, 0.45, (1.0, 0.8, 0.55))]
    lv.ambient = 0.3
    lv.start = (100, 420)
    lv.portals = []
    lv.music = MUSIC_DREAD
    lv.badguy_image = gfx("badguy_snuffer.xml")
    lv.badguy_size = (44, 48)
    lv.speed, lv.range, lv.chases = 28.0, 320.0, True
    lv.path_start = (378, 496)
    lv.loop = [(400, 190), (566, 190), (566, 530), (236, 530), (236, 190), (400, 190), (400, 520)]
    lv.rest = (400, 200)
    lv.switches = {"BadguyEnabled": False}
    lv.sprites = [("moth", gfx("moth.xml"), (110, 490)), ("bellrope", gfx("bell_rope.xml"), (472, 470)),
                  ("taper", gfx("altar_taper.xml"), None)]
    lv.intro = ("data/dialogs/l5_intro.xml", "data/dialogs/l5_again.xml")
    enable = ["SetBadguyEnabled( 1 );"] + add_sprite("heart", gfx("sound_heartbeat.xml"))
    lv.events = [
        Event((110, 250), 45, ['SpriteMoveTo( "moth", 290, 64 );']),
        Event((566, 530), 24, ['SpritePlayAnimation( "bellrope", "toll" );'], player=False, badguy=True, times=1),
        Event((400, 85), 40, ["SetBadguyEnabled( 0 );", "SetPlayerEnabled( 0 );", 'LoadDialog( "data/dialogs/l5_end.xml" );']),
    ]
    lv.route = [(100, 420), (100, 85), (400, 85)]
    lv.preview_dialog = (P_SNUFFER, "Little light. You came all this way to me.")
    dialog(lv.intro[0], [
        Line(P_FLAME, "A chapel. It smells of smoke and cold wax."),
        Line(P_SNUFFER, "Little light. You came all this way to me.", enable),
        Line(P_MOTH, "The altar candle! Go round by the north aisle, where it cannot see you. Go!"),
    ])
    dialog(lv.intro[1], [Line(P_SNUFFER, "Again, little light? I am still here.", enable)])
    dialog("data/dialogs/l5_end.xml", [
        Line(P_FLAME, "The altar candle. Cold for a hundred years."),
        Line(P_MOTH, "Touch it. Give it a little of yourself. Only a little.",
             add_sprite("altar_flame", gfx("altar_flame.xml"), (376, 8)) + ['RemoveSprite( "heart" );']),
        Line(P_SNUFFER, "No. No! It was mine. All of the dark was mine...",
             ["SetBadguyShown( 0 );", 'PlayMusic( "%s" );' % MUSIC_TITLE]),
        Line(P_FLAME, "It is lit. Whatever waited in the dark now has nowhere left to stand.", ["EndGame();"]),
    ])
    return lv


def all_levels():
    return [level_01(), level_02(), level_03(), level_04(), level_05()]



def main():
    args = sys.argv[1:]
    overlay = None
    if "--overlay" in args:
        overlay = args[args.index("--overlay") + 1]
        os.makedirs(overlay, exist_ok=True)
    global WRITE_DIALOGS
    WRITE_DIALOGS = True
    levels = all_levels()
    dialog(NONE_DIALOG, [])
    failed = False
    for lv in levels:
        lv.build_path()
        alpha = render(lv)
        level_xml(lv)
        problems, info = check(lv, alpha, overlay)
        print("level %d (%s): %s" % (lv.n, lv.name, info))
        for p in problems:
            print("  PROBLEM: " + p)
            failed = True
    describe(levels)
    return 1 if failed else 0


LEVELS = all_levels()
for _lv in LEVELS:
    _lv.build_path()

if __name__ == "__main__":
    sys.exit(main())
