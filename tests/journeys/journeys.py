#!/usr/bin/python3
"""Journeys through the real workstation, the way a person and a screen reader meet it.

Run by scripts/gui-journeys.sh inside Xvfb and a D-Bus session with the accessibility bus:
starts NV, drives it only with X input events (xdotool: clicks and keystrokes), and reads
back what its windows show through AT-SPI (pyatspi), asserting on text, never on pixels.
"""
import os
import subprocess
import sys
import time

import pyatspi

NV = sys.argv[1]
FAILURES = []


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def wait_for(predicate, what, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            found = predicate()
        except Exception:  # the accessible tree changes under us while the window works
            found = None
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name in ("NV", "Norvel"):
            return app
    return None


# Lists, tables and trees show their rows as children: a headword list of 24,000 rows
# would make every search of the window crawl over the bus. No journey looks for a row
# through a search (they read a list's rows directly), so a long one is not entered.
LONG_LIST = 200


def children(node):
    count = node.childCount
    if count > LONG_LIST and node.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX,
                                                pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE,
                                                pyatspi.ROLE_TREE_TABLE):
        return range(0)
    return range(count)


def find(node, predicate, depth=0):
    if node is None or depth > 60:
        return None
    try:
        if predicate(node):
            return node
        for i in children(node):
            found = find(node.getChildAtIndex(i), predicate, depth + 1)
            if found:
                return found
    except Exception:
        return None
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def named(name, role=None):
    return lambda n: n.name == name and (role is None or n.getRole() == role) and showing(n)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def click(node):
    """A real click in the middle of the element (its extents on the screen)."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2))
    xdotool("click", "1")
    time.sleep(0.3)


def type_text(text):
    xdotool("type", "--delay", "20", text)


def key(*names):
    xdotool("key", *names)
    time.sleep(0.3)


def entry_text(app, view="Dictionary"):
    page = wait_for(lambda: find(app, named(view, pyatspi.ROLE_TEXT)), "the " + view + " page")
    return text_of(page)


def journey(name):
    def wrap(function):
        def run(app):
            print("journey:", name, flush=True)
            try:
                function(app)
                print("  passed", flush=True)
            except AssertionError as error:
                print("  FAILED:", error, flush=True)
                FAILURES.append(name)
        return run
    return wrap


@journey("type an Italian sentence, press Enter, read the analysis and the entry")
def italian_sentence(app):
    analyse(app, "Le case sono belle.")
    tree = wait_for(lambda: find(app, named("Analysis")), "the analysis tree")
    words = wait_for(lambda: find(tree, lambda n: n.name.startswith("case")), "case in the tree")
    assert words, "the tree has no 'case'"
    click(words)
    text = wait_for(lambda: (lambda t: t if "house" in t else None)(entry_text(app)),
                    "the entry of casa")
    assert "casa" in text, text


@journey("switch to English and do the same")
def english_sentence(app):
    click(wait_for(lambda: find(app, named("English", pyatspi.ROLE_CHECK_BOX)),
                   "the English button"))
    analyse(app, "The children were running.")
    tree = wait_for(lambda: find(app, named("Analysis")), "the analysis tree")
    node = wait_for(lambda: find(tree, lambda n: n.name.startswith("children")), "children")
    click(node)
    wait_for(lambda: (lambda t: t if "bambino" in t else None)(entry_text(app)),
             "the entry of child")


@journey("browse the headword list by typing")
def headword_list(app):
    click(wait_for(lambda: find(app, named("Italiano", pyatspi.ROLE_CHECK_BOX)),
                   "the Italian button"))
    click(wait_for(lambda: find(app, named("Headword List")), "Headword List"))
    box = wait_for(lambda: find(app, lambda n: n.getRole() == pyatspi.ROLE_TEXT and showing(n)
                                and n.name == "Find headword"), "the find box")
    click(box)
    key("ctrl+a")
    type_text("gatto")
    wait_for(lambda: (lambda t: t if "cat" in t else None)(entry_text(app)), "the entry of gatto")


def click_text(page, word):
    """A real click on a word of a page (the middle of its first character)."""
    text = page.queryText()
    at = text.getText(0, text.characterCount).index(word)
    box = text.getCharacterExtents(at + 1, pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", str(box[0] + box[2] // 2), str(box[1] + box[3] // 2))
    time.sleep(0.3)
    xdotool("click", "1")
    time.sleep(0.5)


def analyse(app, sentence):
    click(wait_for(lambda: find(app, named("Free Text")), "Free Text"))
    source = wait_for(lambda: find(app, named("Source text", pyatspi.ROLE_TEXT)), "source text")
    click(source)
    key("ctrl+a")
    key("Delete")
    type_text(sentence)
    key("Return")


def entry_with(app, word, view="Dictionary"):
    return wait_for(lambda: (lambda t: t if word in t else None)(entry_text(app, view)),
                    f"'{word}' in the {view} page")


@journey("follow a cross-reference and go Back")
def cross_reference(app):
    analyse(app, "casa")
    entry_with(app, "house")
    page = find(app, named("Dictionary", pyatspi.ROLE_TEXT))
    click_text(page, "house")
    entry_with(app, "ospitare")  # the English entry of house: casa; (v.) ospitare
    click(wait_for(lambda: find(app, named("Back", pyatspi.ROLE_PUSH_BUTTON)), "Back"))
    text = entry_with(app, "home")  # the Italian entry of casa again: house, home
    assert "ospitare" not in text, text[:120]


@journey("run an advanced search and open a result")
def advanced_search(app):
    click(wait_for(lambda: find(app, named("Advanced Search")), "Advanced Search"))
    values = wait_for(lambda: [n for n in all_named(app, "Value", pyatspi.ROLE_TEXT)] or None,
                      "the value boxes")
    assert len(values) >= 2, len(values)
    click(values[1])  # the second field: the translation
    type_text("house")
    key("Return")
    # The progress window keeps its figures until Close.
    close = wait_for(lambda: find(pyatspi.Registry.getDesktop(0),
                                  named("Close", pyatspi.ROLE_PUSH_BUTTON)), "Close", 10)
    click(close)
    entry_with(app, "house")
    results = wait_for(lambda: find(app, named("Headwords")), "the results")
    assert results.childCount >= 1, results.childCount


@journey("write a note with Insert Annotation and read it in the Annotations view")
def annotation(app):
    analyse(app, "gatto")
    entry_with(app, "cat")
    click(wait_for(lambda: find(app, named("Insert Annotation", pyatspi.ROLE_PUSH_BUTTON)),
                   "Insert Annotation"))
    desktop = pyatspi.Registry.getDesktop(0)
    dialog = wait_for(lambda: find(desktop, named("Annotation Editor")) or
                      find(desktop, named("Choose lemma:")), "the annotation editor")
    if dialog.name == "Choose lemma:":  # a word of several readings: the first is taken
        key("Return")
    editor = wait_for(lambda: find(desktop, named("Annotation Editor")), "the annotation editor")
    time.sleep(0.5)
    type_text("Un gatto nero porta fortuna")
    click(wait_for(lambda: find(editor, named("Ok", pyatspi.ROLE_PUSH_BUTTON)), "Ok"))
    click(wait_for(lambda: find(app, named("Annotations", pyatspi.ROLE_CHECK_BOX)),
                   "the Annotations tab"))
    entry_with(app, "porta fortuna", "Annotations")


@journey("run a word-form search and open a result")
def word_form_search(app):
    click(wait_for(lambda: find(app, named("Italiano", pyatspi.ROLE_CHECK_BOX)),
                   "the Italian button"))
    click(wait_for(lambda: find(app, named("Word Form Search")), "Word Form Search"))
    value = wait_for(lambda: find(app, named("Value", pyatspi.ROLE_TEXT)), "the value box")
    click(value)
    type_text("gatt")
    key("Return")
    close = wait_for(lambda: find(pyatspi.Registry.getDesktop(0),
                                  named("Close", pyatspi.ROLE_PUSH_BUTTON)), "Close", 10)
    click(close)
    results = wait_for(lambda: find(app, named("Headwords")), "the results")
    rows = wait_for(lambda: [results.getChildAtIndex(i) for i in range(results.childCount)
                             if results.getChildAtIndex(i).name == "gatti"] or None,
                    "the form gatti among those found")
    click(rows[0])  # the plural: its entry is the lemma's
    entry_with(app, "cat")


@journey("change the interface language: the program restarts in Italian")
def interface_language(app):
    key("alt+o")
    key("l")
    italian = wait_for(lambda: find(app, named("Italiano", pyatspi.ROLE_MENU_ITEM)),
                       "the Italian interface item")
    click(italian)
    desktop = pyatspi.Registry.getDesktop(0)
    click(wait_for(lambda: find(desktop, named("OK", pyatspi.ROLE_PUSH_BUTTON)), "OK"))
    # The program ends and starts again; its new window speaks Italian.
    wait_for(lambda: find(desktop, named("Testo libero")), "the Italian window", 60)
    wait_for(lambda: find(desktop, named("Elenco lemmi")), "Italian captions")


def all_named(node, name, role, depth=0, found=None):
    found = [] if found is None else found
    if node is None or depth > 60:
        return found
    try:
        if node.name == name and node.getRole() == role and showing(node):
            found.append(node)
        for i in children(node):
            all_named(node.getChildAtIndex(i), name, role, depth + 1, found)
    except Exception:
        pass
    return found


def wait_for_display():
    """The virtual display may still be coming up when the session starts."""
    for _ in range(100):
        if subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True).returncode == 0:
            return
        time.sleep(0.1)
    raise AssertionError("the display never answered")


def main():
    wait_for_display()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    program = subprocess.Popen([NV, "-ns"], env=env)
    try:
        try:
            app = wait_for(application, "NV on the accessibility bus", 30)
        except AssertionError:
            # On a busy machine the program may have started before the registry could
            # take it; a second start finds the bus up.
            program.terminate()
            program.wait(10)
            program = subprocess.Popen([NV, "-ns"], env=env)
            app = wait_for(application, "NV on the accessibility bus", 60)
        wait_for(lambda: find(app, named("Source text", pyatspi.ROLE_TEXT)) or
                 find(app, named("Headword List")), "the main window")
        time.sleep(1)
        for run in (italian_sentence, english_sentence, headword_list, cross_reference,
                    advanced_search, word_form_search, annotation, interface_language):
            run(app)
    finally:
        program.terminate()
        # The program the language change started, too.
        subprocess.run(["pkill", "-f", NV + " -ns"], capture_output=True)
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
    if FAILURES:
        print(len(FAILURES), "journey(s) failed:", ", ".join(FAILURES))
        sys.exit(1)
    print("every journey passed")


main()
