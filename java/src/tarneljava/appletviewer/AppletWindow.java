package tarneljava.appletviewer;

import java.applet.Applet;
import java.applet.AppletContext;
import java.applet.AppletStub;
import java.applet.AudioClip;
import java.awt.BorderLayout;
import java.awt.Dimension;
import java.awt.Frame;
import java.awt.Image;
import java.awt.Label;
import java.awt.Toolkit;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.io.InputStream;
import java.net.URL;
import java.util.ArrayList;
import java.util.Collections;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Iterator;
import java.util.List;
import java.util.Map;

/**
 * The window of one applet, titled "小应用程序查看器: <code>", the applet at the page's size
 * with a status line under it. It is the applet's stub and context. Closing it stops and
 * destroys the applet; when the last window closes, the viewer ends.
 */
final class AppletWindow extends Frame implements AppletStub, AppletContext {
    private static final long serialVersionUID = 1L;
    private static final List<AppletWindow> open = new ArrayList<>();
    private static final Map<String, InputStream> streams = new HashMap<>();

    private final transient AppletTag tag;
    private final URL documentBase;
    private final URL codeBase;
    private final Applet applet;
    private final Label status = new Label();
    private boolean active;

    AppletWindow(AppletTag tag, URL documentBase, URL codeBase, Applet applet) {
        super("小应用程序查看器: " + tag.code());
        this.tag = tag;
        this.documentBase = documentBase;
        this.codeBase = codeBase;
        this.applet = applet;
        setLayout(new BorderLayout());
        applet.setPreferredSize(new Dimension(tag.width(), tag.height()));
        applet.setSize(tag.width(), tag.height());
        add(applet, BorderLayout.CENTER);
        add(status, BorderLayout.SOUTH);
        applet.setStub(this);
        addWindowListener(new WindowAdapter() {
            @Override
            public void windowClosing(WindowEvent event) {
                close();
            }
        });
        pack();
        synchronized (open) {
            open.add(this);
        }
    }

    /** init, then the window, then start; an applet's own fault is shown, the window stays. */
    void run() {
        try {
            applet.init();
        } catch (Throwable fault) {
            fault.printStackTrace();
            showStatus("小应用程序未初始化。");
            setVisible(true);
            return;
        }
        validate();
        setLocationByPlatform(true);
        setVisible(true);
        try {
            active = true;
            applet.start();
            showStatus("小应用程序已启动。");
        } catch (Throwable fault) {
            fault.printStackTrace();
            showStatus("小应用程序未启动。");
        }
    }

    private void close() {
        try {
            if (active) {
                active = false;
                applet.stop();
            }
            applet.destroy();
        } catch (Throwable fault) {
            fault.printStackTrace();
        }
        dispose();
        boolean last;
        synchronized (open) {
            open.remove(this);
            last = open.isEmpty();
        }
        if (last)
            System.exit(0);
    }

    // AppletStub

    @Override
    public boolean isActive() {
        return active;
    }

    @Override
    public URL getDocumentBase() {
        return documentBase;
    }

    @Override
    public URL getCodeBase() {
        return codeBase;
    }

    @Override
    public String getParameter(String name) {
        return tag.parameter(name);
    }

    @Override
    public AppletContext getAppletContext() {
        return this;
    }

    @Override
    public void appletResize(int width, int height) {
        applet.setPreferredSize(new Dimension(width, height));
        pack();
    }

    // AppletContext

    @Override
    public AudioClip getAudioClip(URL url) {
        return Applet.newAudioClip(url);
    }

    @Override
    public Image getImage(URL url) {
        return Toolkit.getDefaultToolkit().getImage(url);
    }

    @Override
    public Applet getApplet(String name) {
        synchronized (open) {
            for (AppletWindow window : open) {
                String itsName = window.tag.attribute("name");
                if (itsName != null && itsName.equalsIgnoreCase(name))
                    return window.applet;
            }
        }
        return null;
    }

    @Override
    public Enumeration<Applet> getApplets() {
        List<Applet> applets = new ArrayList<>();
        synchronized (open) {
            for (AppletWindow window : open)
                applets.add(window.applet);
        }
        return Collections.enumeration(applets);
    }

    /** A viewer shows no documents. */
    @Override
    public void showDocument(URL url) {}

    @Override
    public void showDocument(URL url, String target) {}

    @Override
    public void showStatus(String text) {
        status.setText(text == null ? "" : text);
    }

    @Override
    public void setStream(String key, InputStream stream) {
        synchronized (streams) {
            if (stream == null)
                streams.remove(key);
            else
                streams.put(key, stream);
        }
    }

    @Override
    public InputStream getStream(String key) {
        synchronized (streams) {
            return streams.get(key);
        }
    }

    @Override
    public Iterator<String> getStreamKeys() {
        synchronized (streams) {
            return new ArrayList<>(streams.keySet()).iterator();
        }
    }
}
