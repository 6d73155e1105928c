"""The show's facts as the build writes them (build/release/show_facts.json, made by
kelvor-show-facts from src/scene/show_facts.h); the environment variable
KELVOR_SHOW_FACTS names another build's file."""
import json
import os

_DEFAULT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "release", "show_facts.json")


def load():
    path = os.environ.get("KELVOR_SHOW_FACTS", _DEFAULT)
    with open(path) as facts:
        return json.load(facts)


def file_of(facts, part):
    """The name of the show file of a part ("title1" .. "title5", "sprite",
    "terrain", "music")."""
    return next(f["name"] for f in facts["files"] if f["part"] == part)


def cycle_frames(facts):
    """Clock steps in one show cycle (8000)."""
    return round(facts["clock"]["cycleLength"] / facts["clock"]["step"])
