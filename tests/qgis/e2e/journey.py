# The address search journey inside a running QGIS, started by run-journey.sh
# as QGIS's start-up script (qgis --code journey.py). It builds and opens a
# project with the demo town and a copy of its parcels in EPSG:4326, finds
# the plugin's button, and drives the configuration and search dialogs by
# their controls' object names as a user would. The verdict goes to a file
# before QGIS is left with os._exit: quitting QGIS from a script can crash
# it on its way out, which must not decide the test.
import json
import os
import traceback

from qgis.core import (QgsCoordinateReferenceSystem, QgsCoordinateTransform, QgsFeatureRequest, QgsLayerTreeGroup,
                       QgsProject, QgsRectangle, QgsVectorLayer)
from qgis.PyQt.QtCore import Qt, QTimer
from qgis.PyQt.QtGui import QGuiApplication
from qgis.PyQt.QtTest import QTest
from qgis.PyQt.QtWidgets import QAbstractButton, QAction, QApplication, QLineEdit, QListWidget, QMessageBox, QWidget
from qgis.gui import QgsHighlight
from qgis.utils import iface

ARGS = json.loads(os.environ["CORVANE_JOURNEY"])
OUT = ARGS["artifacts"]
ACTION = "CorvaneGIS_CorvaneAddressSearch"
TRIES = 200  # a step waits at most 200 x 50 ms for what it needs
log = []


def finish(passed, why=""):
    with open(ARGS["verdict"], "w") as f:
        f.write(("PASS" if passed else "FAIL: " + why) + "\n")
        f.write("\n".join(log) + "\n")
    os._exit(0)


# --- the project -------------------------------------------------------------

def build_project():
    demo = ARGS["demo"]
    project = QgsProject.instance()
    project.clear()
    project.setCrs(QgsCoordinateReferenceSystem("EPSG:32618"))
    root = project.layerTreeRoot()
    town = root.addGroup("Demo town")
    for layer_name, shown in [("Parcels", "Parcels"), ("Streets", "Streets"), ("Owners", "Owners")]:
        layer = QgsVectorLayer(demo + "|layername=" + layer_name, shown, "ogr")
        assert layer.isValid(), "cannot open " + layer_name
        project.addMapLayer(layer, False)
        town.addLayer(layer)
    landmarks = town.addGroup("Landmarks")
    schools = QgsVectorLayer(demo + "|layername=Landmarks/Schools", "Schools", "ogr")
    project.addMapLayer(schools, False)
    landmarks.addLayer(schools)
    geographic = QgsVectorLayer(ARGS["parcels4326"] + "|layername=Parcels", "Parcels (EPSG:4326)", "ogr")
    assert geographic.isValid(), "cannot open the EPSG:4326 parcels"
    project.addMapLayer(geographic, False)
    root.addLayer(geographic)
    path = os.path.join(OUT, "journey.qgz")
    assert project.write(path), "cannot write the project"
    project.clear()
    assert project.read(path), "cannot read the project back"
    log.append("project: " + path)
    main = iface.mainWindow()
    main.resize(1400, 900)
    main.move(0, 0)
    iface.mapCanvas().zoomToFullExtent()


# --- finding and using controls ------------------------------------------------

def form(name):
    for top in QApplication.topLevelWidgets():
        if not top.isVisible():
            continue
        if top.objectName() == name:
            return top
        inner = top.findChild(QWidget, name)
        if inner is not None and inner.isVisible():
            return inner
    return None


def control(form_name, name, kind):
    f = form(form_name)
    return f.findChild(kind, name) if f is not None else None


def pick(form_name, list_name, text):
    """Clicks the entry with this text, else the first that starts with it."""
    lst = control(form_name, list_name, QListWidget)
    if lst is None or lst.count() == 0:
        return None
    items = lst.findItems(text, Qt.MatchExactly) or lst.findItems(text, Qt.MatchStartsWith)
    if not items:
        return None
    item = items[0]
    lst.scrollToItem(item)
    at = lst.visualItemRect(item).center()
    # Deferred: a click may open a modal box, whose loop must not run inside this step.
    QTimer.singleShot(0, lambda: QTest.mouseClick(lst.viewport(), Qt.LeftButton, Qt.NoModifier, at))
    return item.text()


def click(form_name, name):
    button = control(form_name, name, QAbstractButton)
    if button is None or not button.isEnabled():
        return False
    QTimer.singleShot(0, lambda: QTest.mouseClick(button, Qt.LeftButton))
    return True


def close_message_box():
    box = QApplication.activeModalWidget()
    if not isinstance(box, QMessageBox):
        return False
    log.append("message box: " + box.text())
    ok = box.button(QMessageBox.Ok)
    QTimer.singleShot(0, lambda: QTest.mouseClick(ok, Qt.LeftButton))
    return True


def screenshot(name, widget=None):
    path = os.path.join(OUT, name)
    picture = widget.grab() if widget is not None else QGuiApplication.primaryScreen().grabWindow(0)
    assert picture.save(path), "cannot save " + path
    log.append("screenshot: " + path)


# --- the checks -----------------------------------------------------------------

state = {}


def expected_extent(layer_name):
    layer = QgsProject.instance().mapLayersByName(layer_name)[0]
    clause = "\"STNAME\" = '%s' AND \"ADDNUM_TXT\" = '%s'" % (state["street"].replace("'", "''"), state["number"])
    feature = next(layer.getFeatures(QgsFeatureRequest().setFilterExpression(clause)))
    box = feature.geometry().boundingBox()
    cx, cy = box.center().x(), box.center().y()
    w, h = box.width() * 1.2, box.height() * 1.2
    grown = QgsRectangle(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2)
    target = iface.mapCanvas().mapSettings().destinationCrs()
    if layer.crs() != target:
        grown = QgsCoordinateTransform(layer.crs(), target, QgsProject.instance()).transformBoundingBox(grown)
    return grown


def check_extent(layer_name):
    want = expected_extent(layer_name)
    got = iface.mapCanvas().extent()
    # The canvas widens the extent to its window's proportions about the same centre.
    tolerance = max(want.width(), want.height()) * 1e-6
    centred = abs(got.center().x() - want.center().x()) < tolerance and \
        abs(got.center().y() - want.center().y()) < tolerance
    fits = (abs(got.width() - want.width()) < tolerance and got.height() >= want.height() - tolerance) or \
        (abs(got.height() - want.height()) < tolerance and got.width() >= want.width() - tolerance)
    state["last extent check"] = "%s: expected %s, canvas %s" % (layer_name, want.toString(3), got.toString(3))
    # The parcel zoomed to is outlined on the canvas.
    marked = [item for item in iface.mapCanvas().scene().items() if isinstance(item, QgsHighlight)]
    state["last extent check"] += ", %d marked" % len(marked)
    if centred and fits and len(marked) == 1:
        log.append(state["last extent check"])
    return centred and fits and len(marked) == 1


# --- the journey ------------------------------------------------------------------

def press():
    action = next((a for a in iface.mainWindow().findChildren(QAction) if a.objectName() == ACTION), None)
    assert action is not None, "the plugin's button is not there"
    log.append("button: %s / %s / %s" % (action.text(), action.toolTip(), action.whatsThis()))
    assert not action.icon().isNull(), "the button has no picture"
    # The press runs the configuration dialog modally: the next steps run inside it.
    QTimer.singleShot(0, action.trigger)
    return True


def remember(key, value):
    if value is None:
        return False
    state[key] = value
    return True


def configure(layer_name):
    return [
        ("configuration: layer", lambda: pick("frmConfig", "List1", layer_name) is not None),
        ("configuration: street field", lambda: pick("frmConfig", "List2", "STNAME") is not None),
        ("configuration: number field", lambda: pick("frmConfig", "List3", "ADDNUM_TXT") is not None),
        ("configuration: continue", lambda: click("frmConfig", "Command1")),
    ]


def search(layer_name, letters, tag):
    def type_letters():
        edit = control("frmMain", "Text1", QLineEdit)
        if edit is None or control("frmMain", "List1", QListWidget).count() == 0:
            return False
        edit.clear()
        QTest.keyClicks(edit, letters)
        return True

    def street_found():
        lst = control("frmMain", "List1", QListWidget)
        item = lst.currentItem() if lst is not None else None
        return remember("street", item.text() if item is not None else None)

    def zoomed():
        canvas = iface.mapCanvas()
        canvas.waitWhileRendering()
        return check_extent(layer_name)

    return [
        ("search: type " + letters, type_letters),
        ("search: Go", lambda: click("frmMain", "Command4")),
        ("search: street picked", street_found),
        ("search: pick an address", lambda: remember("number", pick("frmMain", "List2", "2"))),
        ("search: the canvas shows the parcel", zoomed),
        ("screenshot " + tag, lambda: screenshot("qgis-search-%s.png" % tag) or True),
        ("screenshot canvas " + tag, lambda: screenshot("qgis-canvas-%s.png" % tag, iface.mapCanvas()) or True),
    ]


steps = [
    ("project", lambda: build_project() or True),
    ("press the button", press),
    ("the first press explains that the tool needs configuring", close_message_box),
] + configure("Parcels") + search("Parcels", "cherry", "parcels") + [
    ("reconfigure from the search dialog", lambda: click("frmMain", "Command1")),
] + configure("Parcels (EPSG:4326)") + search("Parcels (EPSG:4326)", "aspen", "parcels-4326")

tries = {"count": 0}


def run_next():
    if not steps:
        finish(True)
        return
    description, step = steps[0]
    try:
        done = step()
    except Exception:
        finish(False, description + "\n" + traceback.format_exc())
        return
    if done:
        log.append("done: " + description)
        steps.pop(0)
        tries["count"] = 0
        QTimer.singleShot(0, run_next)
        return
    tries["count"] += 1
    if tries["count"] > TRIES:
        finish(False, "gave up waiting at: " + description + "\n" + state.get("last extent check", ""))
        return
    QTimer.singleShot(50, run_next)


QTimer.singleShot(180000, lambda: finish(False, "the journey took more than three minutes"))
QTimer.singleShot(0, run_next)
