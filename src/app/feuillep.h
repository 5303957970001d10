#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/companion.h"
#include "mainwindow/widgets/windowsizerule.h"
#include "platform/widgets/richtextpane.h"
#include "platform/widgets/valuelabel.h"
#include "simulation/parameters.h"
#include "simulation/run.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace ondalis {

namespace exercises {
class ExerciseMenu;
enum class FileProblem;
}  // namespace exercises

class AnalysisWindow;
class ColorSwatch;
class DialogService;
class DisplayPanel;
class DrawingSurface;
class HelpWindow;
class ProjectionWindow;
class RecordingPanel;
class SceneSurface;
class VectorsPanel;
class ParametersPanel;
class ParameterEdit;
class PeriodicTimer;
class PrinterService;
class StatusHints;
class TabStrip;
struct MainWindowState;
struct CurveColors;
class GraphMeasures;
struct Configuration;

// The main window: it owns every control and all state of the run, and wires the controls'
// events to the subsystems. Controls keep their design names so that secondary windows and
// tests reach them directly.
class feuilleP : public QWidget {
    Q_OBJECT
public:
    feuilleP(DialogService& dialogs, PrinterService& printer, std::unique_ptr<PeriodicTimer> timer,
             const QString& programFolder, QWidget* parent = nullptr);
    ~feuilleP() override;

    // Command buttons.
    QPushButton* Command1 = nullptr;   // "&Fermer"
    QPushButton* Command2 = nullptr;   // "&Ouvrir"
    QPushButton* Command4 = nullptr;   // "Co&pier"
    QPushButton* Command7 = nullptr;   // "&Aide"
    QPushButton* Command8 = nullptr;   // "&Calculatrice"
    QPushButton* Command10 = nullptr;  // "&Imprimer"
    QPushButton* Command11 = nullptr;  // "&Enregistrer"
    QMenu* menucopie = nullptr;

    // Readouts, graph, animation buttons, scene.
    DrawingSurface* Picture4 = nullptr;
    ValueLabel* Label3 = nullptr;  // t
    ValueLabel* Label1 = nullptr;  // x
    ValueLabel* Label6 = nullptr;  // v
    ValueLabel* Label7 = nullptr;  // a
    ValueLabel* Label5 = nullptr;  // Ec
    ValueLabel* Label8 = nullptr;  // Epe
    ValueLabel* Label9 = nullptr;  // Em
    DrawingSurface* Frame1 = nullptr;
    QToolButton* Image4 = nullptr;
    QToolButton* Command18 = nullptr;
    QToolButton* command15 = nullptr;
    QToolButton* command16 = nullptr;
    DrawingSurface* Picture2 = nullptr;

    // Bottom of the window.
    QLabel* Image2 = nullptr;
    QLabel* info = nullptr;
    QPushButton* btexo = nullptr;
    QPushButton* btanalyse = nullptr;  // "A&nalyse"
    QLineEdit* fich = nullptr;
    RichTextPane* supertext = nullptr;
    exercises::ExerciseMenu* optionexo = nullptr;
    TabStrip* Onglets = nullptr;
    ParametersPanel* Picture3 = nullptr;  // "Paramètres"
    VectorsPanel* Frame2 = nullptr;       // "Vecteurs"
    DisplayPanel* Picture1 = nullptr;     // "Affichage"
    RecordingPanel* Picture6 = nullptr;   // "Enregistrement"

    PeriodicTimer* Timer1 = nullptr;

    // Shared flags and texts of the run.
    bool textModified = false;
    bool correctionAvailable = false;
    QString exerciseFolder;
    QString copyMessage;

    ParameterEdit* Text5(int index) const;
    // The ten colour swatches, spread over the "Vecteurs" and "Affichage" panels.
    ColorSwatch* Label4(int index) const;

    // Window events.
    void Form_Load();
    void Form_Activate();
    bool Form_QueryUnload();
    void Form_Unload();
    void applySizeRule();

    // Animation.
    // resetMotion: stop the clock, recompute the constants, back to x0 at t = 0.
    void Command18_Click();
    void command15_Click();
    void command16_Click();
    void Image4_Click();
    void Command13_Click();
    void Timer1_Timer();
    void majaff();
    void fond();
    void appareil();
    void echgraph();
    bool isRunning() const;

    // Parameter fields.
    void Text5_GotFocus(int index);
    void Text5_LostFocus(int index);
    OscillatorParameters parameters() const;

    // Display options, colours, recording duration, copies, calculator.
    void Option1_Click(int index);
    void Label4_Click(int index);
    void UpDown1_Change(int index);
    void copitab();
    void Command8_Click();
    // Help: "&Aide" opens the contents; F1 the page of the focused control's area.
    void Command7_Click();
    void showHelp(const QString& page);
    QString helpTopicFor(const QWidget* focus) const;
    HelpWindow* helpWindow() const { return help_; }
    void Frame1_MouseMove(int x);

    // Printing and image copies.
    void Command10_Click();
    void copim();
    void copigraph();

    // The table and the graph for Regressi, spreadsheets and Python.
    void copitabentetes();
    void copitabpython();
    void exportetab();
    void exportegraph();

    // Dragging the solid.
    void Picture2_MouseDown(Qt::MouseButton button, int x, int y);
    void Picture2_MouseMove(Qt::MouseButtons buttons, int x, int y);
    void Picture2_MouseUp(Qt::MouseButton button, int x, int y);
    // The solid moved from the keyboard while the scene has the focus: x0 the key gives.
    void Picture2_KeyMove(float x0);

    // "Projeter" (F11): the scene, the readouts and the graph in full screen on another screen;
    // the same command or Escape closes it.
    void Projeter_Click();
    ProjectionWindow* projection() const { return projection_; }

    // The exercise pane and the exercise menu.
    void intro();
    bool askAbandonText();
    bool textGuard();
    void btexo_Click();
    void PRISENMAIN_Click();
    void openexo_Click();
    void opencor_Click();
    void savetexte_Click();
    void opentexte_Click();
    void imprimetexte_Click();
    void Closexo_Click();
    void supertext_Change();
    void fich_Change();
    // Opens the exercise of an index file (".E41"): what the catalogue's `ouvreur` runs.
    bool openExercise(const QString& indexPath);
    // An exercise asked for by the collection's main module, relative to the program folder.
    void serveExerciseRequest(const QString& request);
    // The file given on the command line (`arguments` as the application has them): a
    // configuration loaded through `chargeconfig`, or an exercise opened as the catalogue opens
    // it. Nothing without an argument.
    void openCommandLineFile(const QStringList& arguments);

    // "Analyse du mouvement", made on first use (Ctrl+M).
    void showAnalysis();
    AnalysisWindow* analysisWindow() const { return analysis_; }

    const MotionConstants& motionConstants() const { return run_.constants(); }
    float duration() const;
    int rowsRecorded() const;
    bool slowMotion() const;
    const MotionSample& currentSample() const { return run_.sample(); }
    // The run the window shows, read by the windows that follow it.
    const Run& run() const { return run_; }
    // The graph's cursors, pseudo-period and kept curves.
    const GraphMeasures& graphMeasures() const;
    QString statusText() const;
    void setStatusText(const QString& text);

    // Configuration files (".P19"). `configurationPath` is the file last opened or saved; the
    // reader loads the file it names and reports its own failures (true when applied).
    QString configurationPath;
    bool chargeconfig();
    Configuration configuration() const;
    void applyConfiguration(const Configuration& configuration);
    void Command2_Click();
    void Command11_Click();

signals:
    // The window has closed for good: the program ends.
    void unloaded();
    // Every frame the window shows (a tick, a redraw, a drag) and every reset of the motion,
    // for the windows that follow the run.
    void frameShown(const ondalis::RunFrame& frame);
    void motionReset();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createControls();
    void createHints();
    void createHelp();
    void writeInitialReadouts();
    // The parameter fields' texts replaced by their validated form where they differ.
    void finishParameterEdits();
    // Draws what the run gives: readouts, scene, the graph's point, the table's new row.
    void showFrame(const RunFrame& frame);
    void showReset();
    // The timer runs while the run does.
    void followRun();
    void dragSolidTo(int x);
    void moveSolidTo(int x);
    void popUpCopyMenu();
    void createPanels();
    void createPrinting();
    void createExport();
    // Writes an export safely; a French message names the file when it cannot be written.
    void writeExport(const QString& path, const QByteArray& bytes, const QString& title);
    void describeForScreenReaders();
    void createExerciseMenu();
    void createConfigurationCommands();
    void createAnalysis();
    void createSceneKeys();
    SceneSurface* scene() const;
    void createProjection();
    // What the catalogue's `ouvreur` does for the index file at `indexPath`, the catalogue not
    // shown, with `folder` as the exercise folder; the guard first.
    bool openExerciseWithoutCatalogue(const QString& folder, const QString& indexPath);
    bool loadExerciseFiles(
        const QString& folder, const QString& text, bool textRequired, const QString& configuration,
        const std::function<void(const QString&, exercises::FileProblem)>& reportProblem);
    CurveColors curveColors() const;
    // Graph measures and stepping (feuillep_measure.cpp).
    void createMeasure();
    void graphFrameDrawn();
    void redrawGraph();
    void startOrPause();
    void stepForward();
    void stepBackward();
    void keepCurve();
    void measurePseudoPeriod();

    DialogService& dialogs_;
    PrinterService& printer_;
    std::unique_ptr<PeriodicTimer> timer_;
    QString programFolder_;
    CompanionHandshake handshake_;
    std::unique_ptr<MainWindowState> state_;
    StatusHints* hints_ = nullptr;
    HelpWindow* help_ = nullptr;              // created when first asked for
    AnalysisWindow* analysis_ = nullptr;      // created when first asked for
    ProjectionWindow* projection_ = nullptr;  // while the projection is open

    Run run_;
    QImage Image3;  // the sky, painted once
    WindowSizeRule sizeRule_{*this};
    bool unloaded_ = false;
};

}  // namespace ondalis
